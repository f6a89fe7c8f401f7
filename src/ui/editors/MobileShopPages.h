#pragma once
// The "Shop" and "Repair" pages of the mobile editor: a switch that gives the mobile the record, the item
// types the keeper deals in, the keeper's numbers, and "Open Already" for a keeper who never closes.
// Both pages share this one form; what differs (how many types, which numbers) comes from a description.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavro::ui {

class TChoiceBox;

struct TShopPageSpec {
  struct Number {
    const char* name;  // the control's object name
    QString caption;
    QStringList choices;  // a drop-down of these instead of a number field, when not empty
  };
  const char* page_name;
  const char* have_name;
  QString have_caption;
  const char* types_name;  // control names: this with 0, 1, 2 ...
  QString types_caption;
  int type_count;
  // The last two are the opening and closing hour, which "Open Already" sets.
  std::vector<Number> numbers;
  const char* open_already_name;
};

class TShopPage : public QWidget {
  Q_OBJECT

 public:
  explicit TShopPage(const TShopPageSpec& spec, QWidget* parent = nullptr);

  void SetItemTypes(const std::vector<std::string>& item_types);
  // The fields that make up the record are usable exactly when the mobile has it; "Open Already" always.
  void EnableFields(bool on);
  void ShowValues(const std::vector<int32_t>& types, const std::vector<int32_t>& numbers);
  // Nothing chosen and nothing typed (a mobile without the record).
  void ClearValues();
  std::vector<int32_t> Types() const;
  // Throws TFieldError for a number field that holds no whole number.
  std::vector<int32_t> Numbers() const;

  QCheckBox* Have = nullptr;
  std::vector<TChoiceBox*> TypeBoxes;
  // QLineEdit or TChoiceBox, in the order of the description.
  std::vector<QWidget*> NumberFields;
  QPushButton* OpenAlready = nullptr;

 signals:
  // The switch was clicked: the editor gives or leaves the record.
  void haveClicked(bool on);

 private:
  void OpenAlreadyClick();

  std::vector<QString> captions_;
};

}  // namespace tavro::ui
