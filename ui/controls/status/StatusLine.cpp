#include "StatusLine.h"
#include <QAccessible>
#include <QAccessibleWidget>

namespace {

const QString kAccessibleName = QStringLiteral("状态");

// A status bar whose name stays "状态" and whose value and description are the message.
class StatusLineAccessible : public QAccessibleWidget
{
public:
    explicit StatusLineAccessible(StatusLine *line) : QAccessibleWidget(line, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *line = static_cast<const StatusLine *>(widget());
        switch (t) {
        case QAccessible::Name: return kAccessibleName;
        case QAccessible::Value:
        case QAccessible::Description: return line->message();
        default: return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("StatusLine") && object && object->isWidgetType())
        return new StatusLineAccessible(static_cast<StatusLine *>(object));
    return nullptr;
}

void InstallFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}

}

StatusLine::StatusLine(QWidget *parent) : QLabel(parent)
{
    InstallFactory();
    setObjectName(QStringLiteral("lblZhuangTai"));
    setAccessibleName(kAccessibleName);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setWordWrap(false);
    hide();
}

void StatusLine::say(const QString &message)
{
    const bool wasShown = !isHidden();
    setText(message);
    setToolTip(message);
    setVisible(!message.isEmpty());
    if (wasShown != !message.isEmpty())
        emit shownChanged(!message.isEmpty());
    if (message.isEmpty())
        return;
    QAccessibleValueChangeEvent changed(this, message);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
