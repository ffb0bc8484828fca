#pragma once
#include <QSvgRenderer>
#include <QWidget>

namespace ostrevo::ui {

// The circuit schematic, drawn from its vector picture at the control's size
// so that it stays sharp at any device pixel ratio.
class SchematicImage : public QWidget {
    Q_OBJECT
public:
    // `resource`: the vector picture, a Qt resource path.
    SchematicImage(const QString& resource, QWidget* parent);
    bool isLoaded() const { return renderer_.isValid(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

}  // namespace ostrevo::ui
