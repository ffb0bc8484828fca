#pragma once
#include <QColor>
#include <QWidget>

namespace ostrevo::ui {

// A rectangle outline drawn inside the control's bounds, without fill; clicks
// pass through it to whatever lies beneath.
class OutlineShape : public QWidget {
    Q_OBJECT
public:
    OutlineShape(const QColor& colour, int lineWidth, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    int lineWidth_;
};

}  // namespace ostrevo::ui
