// What assistive technology learns about both windows, read through Qt's
// accessibility interfaces (the layer the AT-SPI bridge serves).
#include <QAbstractButton>
#include <QAccessible>
#include <QSet>

#include "ui_fixture.h"

namespace ostrevo::ui::testing {
namespace {

QAccessibleInterface* Accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

// Every field, button and option button has a name of its own and a
// description; results name their unit and read their value as text.
TEST_F(MainWindowTest, ControlsAreNamedAndDescribedAndResultsReadTheirValues) {
    host.ensureCreated();
    for (QWidget* window : {static_cast<QWidget*>(&form()), static_cast<QWidget*>(&plot())}) {
        EXPECT_EQ(Accessible(window)->role(), QAccessible::Window);
        QSet<QString> names;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control)) continue;
            const QString name = Accessible(control)->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty() || names.contains(name)) << control->objectName().toStdString();
            EXPECT_FALSE(Accessible(control)->text(QAccessible::Description).isEmpty()) << name.toStdString();
            names.insert(name);
        }
        EXPECT_GE(names.size(), window == &form() ? 21 : 3);
    }
    EXPECT_EQ(Accessible(&form())->text(QAccessible::Name), QStringLiteral("Ostrevo reale"));
    EXPECT_EQ(Accessible(control("Image1"))->role(), QAccessible::Graphic);
    EXPECT_EQ(Accessible(plot().picture1())->role(), QAccessible::Graphic);

    const std::pair<QWidget*, const char*> results[] = {
        {&form(), "Label9 [usec]"},  {&form(), "Label11 [usec]"}, {&form(), "Label30 [kohm]"},
        {&form(), "Label31 [kohm]"}, {&plot(), "Label16 [usec]"}, {&plot(), "Label17 [V]"},
        {&plot(), "Label29 [usec]"}, {&plot(), "Label32 [V]"}};
    for (const auto& [window, nameAndUnit] : results) {
        const QStringList parts = QString::fromLatin1(nameAndUnit).split(' ');
        auto* label = control<QLabel>(qPrintable(parts[0]), window);
        label->setText(QStringLiteral("1,221"));
        QAccessibleInterface* accessible = Accessible(label);
        EXPECT_TRUE(accessible->text(QAccessible::Name).contains(parts[1])) << nameAndUnit;
        ASSERT_NE(accessible->textInterface(), nullptr);
        EXPECT_EQ(accessible->textInterface()->text(0, accessible->textInterface()->characterCount()), "1,221");
        EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("1,221"));
    }
}

}  // namespace
}  // namespace ostrevo::ui::testing
