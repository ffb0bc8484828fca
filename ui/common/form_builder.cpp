#include "form_builder.h"

#include <QPushButton>
#include <QRadioButton>

#include "accessible_texts.h"
#include "control_font.h"
#include "controls.h"

namespace ostrevo::ui {
namespace {

QWidget* MakeControl(const Control& control, QWidget& parent, const MakeOwnControl& makeOwn) {
    switch (control.kind) {
        case ControlKind::Label: return MakeLabel(&parent, control);
        case ControlKind::TextField: return MakeTextField(&parent, control);
        case ControlKind::Button: return MakeButton(&parent, control);
        case ControlKind::OptionButton: return MakeOptionButton(&parent, control);
        case ControlKind::Plot:
        case ControlKind::PictureBox:
        case ControlKind::Image:
        case ControlKind::Shape: return makeOwn(control, parent);
    }
    return nullptr;
}

// Tab enters an option group at its selected button, also when the program
// has just selected another one.
void LetTabEnterAtSelectedOption(const QList<QRadioButton*>& options) {
    for (QRadioButton* option : options) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void FollowSelectedOption(QWidget& window, const QList<QRadioButton*>& options) {
    for (QRadioButton* option : options) {
        QObject::connect(option, &QRadioButton::toggled, &window, [options] { LetTabEnterAtSelectedOption(options); });
    }
    LetTabEnterAtSelectedOption(options);
}

void SetTabOrder(const Form& form, const QHash<QString, QWidget*>& controls) {
    for (std::size_t i = 0; i + 1 < form.tabOrder.size(); ++i) {
        QWidget::setTabOrder(controls.value(ToQString(form.tabOrder[i])), controls.value(ToQString(form.tabOrder[i + 1])));
    }
    if (!form.tabOrder.empty()) controls.value(ToQString(form.tabOrder.front()))->setFocus();
}

void Describe(const Form& form, const QHash<QString, QWidget*>& controls) {
    for (const Control& control : form.controls) {
        if (control.accessible.role == AccessibleRole::None) continue;
        DescribeControl(*controls.value(ToQString(control.name)), QString::fromStdString(AccessibleName(control)),
                        QString::fromUtf8(control.accessible.description), control.accessible.role);
    }
}

}  // namespace

void PlaceWidget(QWidget& widget, const Control& control) {
    widget.setObjectName(ToQString(control.name));
    widget.setGeometry(TwipsRect(control.place).translated(widget.parentWidget()->contentsRect().topLeft()));
}

QHash<QString, QWidget*> BuildForm(QWidget& window, const Form& form, const MakeOwnControl& makeOwn,
                                   const RunCommand& run) {
    window.setObjectName(ToQString(form.name));
    window.setWindowTitle(QString::fromUtf8(form.caption));
    window.setFont(ControlFont(form.weight));
    window.resize(TwipsRect(form.client).size());

    QHash<QString, QWidget*> controls;
    for (const Control& control : form.controls) {
        QWidget& parent = control.container.empty() ? window : *controls.value(ToQString(control.container));
        QWidget* widget = MakeControl(control, parent, makeOwn);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QObject::connect(button, &QPushButton::clicked, &window, [run, command = control.command] { run(command); });
        }
        if (!control.visible) widget->hide();
        controls.insert(widget->objectName(), widget);
    }
    SetTabOrder(form, controls);
    FollowSelectedOption(window, window.findChildren<QRadioButton*>());
    PresentAsWindow(window);
    Describe(form, controls);
    return controls;
}

}  // namespace ostrevo::ui
