#include "app/ui/noticelabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "app/ui/ownaccessible.h"

namespace {

// The notification role is what makes AT-SPI readers (Orca) speak the label
// when it starts showing, wherever the focus is.
class NoticeAccessible final : public QAccessibleWidget
{
public:
    explicit NoticeAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? static_cast<const QLabel *>(widget())->text() : name;
    }
};

} // namespace

NoticeLabel::NoticeLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    installOwnAccessible<NoticeLabel, NoticeAccessible>();
    setTextFormat(Qt::PlainText);
    setText(text);
}

NoticeLabel *NoticeLabel::unseen(QWidget *parent, const QString &objectName)
{
    auto *notice = new NoticeLabel(QString(), parent);
    notice->setObjectName(objectName);
    notice->resize(1, 1);
    notice->hide();
    return notice;
}

void NoticeLabel::announce(const QString &spoken)
{
    setAccessibleName(spoken);
    if (!isHidden()) {
        // Already showing: no show event would reach the reader.
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    } else {
        show();
    }
    // Bridges other than AT-SPI react to an alert instead.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
