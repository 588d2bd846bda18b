#include "widgets/accessibility.h"

#include "services/seams.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace widgets {

namespace {

// The name the watcher gave a control, so that it knows the name is still its
// own to change, and the message that names a control.
constexpr char kNameFromTip[] = "tavoroNameFromToolTip";
constexpr char kNameMessage[] = "tavoroNameMessage";

// Whether the control shows a text that names it already.
bool showsOwnText(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return !b->text().isEmpty();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return !l->text().isEmpty();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return !g->title().isEmpty();
    return false;
}

// The control takes `name`, unless it was named by other means.
void giveName(QWidget* w, const QString& name)
{
    const QVariant given = w->property(kNameFromTip);
    const QString current = w->accessibleName();
    if (!current.isEmpty() && (!given.isValid() || given.toString() != current))
        return;
    if (name == current)
        return;
    w->setAccessibleName(name);
    w->setProperty(kNameFromTip, name.isEmpty() ? QVariant() : QVariant(name));
}

// A control takes its tooltip for its name; a menu that pops up its title
// (its entries and submenus are named by their captions already).
void nameAfterToolTip(QWidget* w)
{
    if (auto* menu = qobject_cast<QMenu*>(w))
        giveName(w, withoutMnemonic(menu->title()));
    else if (!w->isWindow())
        giveName(w, showsOwnText(w) ? QString() : withoutMnemonic(w->toolTip()));
}

class ToolTipWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        const QEvent::Type t = e->type();
        if ((t == QEvent::ToolTipChange || t == QEvent::Polish || t == QEvent::Show) && watched->isWidgetType())
            nameAfterToolTip(static_cast<QWidget*>(watched));
        return false;
    }
};

// A control named by a message: the name looked up when asked for.
class MessageNamed : public QAccessibleWidget {
public:
    MessageNamed(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = services::textOf(widget()->property(kNameMessage).toInt());
        if (const auto* label = qobject_cast<const QLabel*>(widget()); label && !label->text().isEmpty())
            return QStringLiteral("%1: %2").arg(caption, label->text());
        return caption;
    }
};

QAccessibleInterface* messageNamedFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType() || !object->property(kNameMessage).isValid())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    return new MessageNamed(w, qobject_cast<QLabel*>(w) ? QAccessible::StaticText : QAccessible::Graphic);
}

}  // namespace

void describeControlsForAssistiveTechnology()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QAccessible::installFactory(messageNamedFactory);
    qApp->installEventFilter(new ToolTipWatcher(qApp));
    // Controls made before the watcher are named now.
    for (QWidget* w : QApplication::allWidgets())
        nameAfterToolTip(w);
}

void nameByMessage(QWidget* control, int message)
{
    control->setProperty(kNameMessage, message);
    renewAccessibleInterface(control);
}

void renewAccessibleInterface(QObject* object)
{
    // Asking for an interface makes one when there is none; a label's text
    // or a window's title asks while the control is being made.
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

QString withoutMnemonic(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                out += u'&';
            ++i;
            if (i < text.size() && text[i] != u'&')
                out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace widgets
