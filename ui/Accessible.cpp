#include "ui/Accessible.h"

#include <QAccessibleWidget>

#include "ui/PictureButton.h"

namespace {
class AccessibleColourButton : public QAccessibleWidget {
public:
    explicit AccessibleColourButton(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        // As a click does: the release over the button selects its colour.
        if (action == pressAction())
            emit static_cast<PictureButton*>(widget())->released(Qt::LeftButton);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* Interface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // A palette button acts on the release alone, which a plain button's
    // press action would not send.
    if (className == QLatin1String("PictureButton")
        && static_cast<PictureButton*>(widget)->face() == PictureButton::Face::Swatch)
        return new AccessibleColourButton(static_cast<PictureButton*>(widget));
    if (className == QLatin1String("CanvasView") || className == QLatin1String("SurfaceView"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}
} // namespace

void InstallAccessibleInterfaces()
{
    QAccessible::installFactory(Interface);
}

void Announce(QWidget* widget, const QString& description)
{
    // The widget tells of a new text itself; the same text once more is
    // told here, as a reader would otherwise stay silent.
    if (widget->accessibleDescription() != description) {
        widget->setAccessibleDescription(description);
        return;
    }
    QAccessibleEvent again(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&again);
}
