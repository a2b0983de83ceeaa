#include "app/ui/valuecombobox.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "app/ui/ownaccessible.h"

namespace {

class ValueAccessible final
    : public QAccessibleWidget
    , public QAccessibleTextInterface
{
public:
    explicit ValueAccessible(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return value();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    // The value as read-only text: no caret, no selection.
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
    QString value() const { return box()->currentText(); }
};

} // namespace

ValueComboBox::ValueComboBox(QWidget *parent)
    : QComboBox(parent)
{
    installOwnAccessible<ValueComboBox, ValueAccessible>();
}
