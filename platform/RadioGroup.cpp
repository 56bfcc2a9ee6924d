#include "platform/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vx {

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 2, 4);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
        items_ << button;
    }
    // As on Windows, Tab enters the group on its checked item only, so that the arrow keys, which move
    // the check along with the focus from a checked item, start from the choice the user sees.
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool) { keepTabStopOnChecked(); });
}

void RadioGroup::keepTabStopOnChecked()
{
    const QAbstractButton *checked = group_->checkedButton();
    for (QRadioButton *button : std::as_const(items_)) {
        const bool stop = checked ? button == checked : button == items_.first();
        button->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton *button = items_.value(index))
        button->setChecked(true);
}

} // namespace vx
