#pragma once
#include <QString>
#include <functional>

#include "form_types.h"
#include "window_interfaces.h"

namespace ostrevo::ui {

// Title of every message box and window caption prefix of the application.
inline const QString kApplicationTitle = QString::fromUtf8(ostrevo::kApplicationTitle.data(), ostrevo::kApplicationTitle.size());

// Shows one message and returns when the user has closed it.
using MessagePresenter = std::function<void(const QString& message)>;

// The application-modal QMessageBox of the program: the text, one OK button
// (captioned kMessageBoxButton), no icon, the application's title.
void ShowModalMessageBox(const QString& message);

// The commands' message boxes on Qt. Tests hand in a presenter that records the
// messages instead of showing them.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(MessagePresenter presenter = ShowModalMessageBox);
    void show(const std::string& utf8Message) override;

private:
    MessagePresenter presenter_;
};

}  // namespace ostrevo::ui
