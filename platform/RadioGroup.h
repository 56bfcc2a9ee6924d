#pragma once
// A titled group of radio buttons that reports the selected item by index.

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace vx {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const;              // -1 when nothing is selected
    void setItemIndex(int index);
    QRadioButton *item(int index) const { return items_.value(index); }
    int count() const { return int(items_.size()); }

private:
    void keepTabStopOnChecked();

    QButtonGroup *group_;
    QList<QRadioButton *> items_;
};

} // namespace vx
