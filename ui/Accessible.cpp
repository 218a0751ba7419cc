#include "ui/Accessible.h"

#include <QAccessibleWidget>

#include "ui/ColourButton.h"

namespace {
class AccessibleColourButton : public QAccessibleWidget {
public:
    explicit AccessibleColourButton(ColourButton* button)
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
            emit static_cast<ColourButton*>(widget())->released(Qt::LeftButton);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* Interface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("ColourButton"))
        return new AccessibleColourButton(static_cast<ColourButton*>(widget));
    if (className == QLatin1String("CanvasView") || className == QLatin1String("SurfaceView"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}
} // namespace

void InstallAccessibleInterfaces()
{
    QAccessible::installFactory(Interface);
}
