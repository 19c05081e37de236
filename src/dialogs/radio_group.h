#pragma once

#include <QGroupBox>
#include <array>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace vx {

// A group box of radio buttons whose index is the value of an enumeration. The buttons are
// named `<name>Radio<index>` for the tests.
class CRadioGroup : public QGroupBox {
    Q_OBJECT

  public:
    CRadioGroup(const char* title, const QString& name, QWidget* parent);

    // Adds a button with the next index, and `beside` on its right when given.
    QRadioButton* Add(const char* text, QWidget* beside = nullptr);
    template <size_t N>
    void AddAll(const std::array<const char*, N>& texts) {
        for (const char* text : texts) {
            Add(text);
        }
    }
    QVBoxLayout* Layout() const { return layout_; }

    int Index() const;
    void SetIndex(int index);
    QRadioButton* Button(int index) const;

  signals:
    void indexChanged(int index);

  private:
    QString name_;
    QButtonGroup* group_;
    QVBoxLayout* layout_;
    std::vector<QRadioButton*> buttons_;
};

}  // namespace vx
