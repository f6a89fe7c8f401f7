#pragma once
// Picks a weapon type for a weapon's value row: the weapon types' names on the left, what the selected
// one is (hands, skill, damages) on the right. "OK" is offered only while a weapon type is selected.
#include <QDialog>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace tavro {
class TWorld;
class TWorldWeapon;
}  // namespace tavro

namespace tavro::ui {

class TSelectWeaponTypeForm : public QDialog {
  Q_OBJECT

 public:
  TSelectWeaponTypeForm(const TWorld& world, QWidget* parent = nullptr);

  // Selects the weapon type at position (none when there is none) and shows it.
  void SelectWeapon(int32_t position);
  // The selected position; nothing when none is selected.
  std::optional<int32_t> Value() const;
  void ShowWeapon(const TWorldWeapon* weapon);

  // The position of the weapon type picked, current being selected first; nothing when cancelled.
  static std::optional<int32_t> PickWeaponType(QWidget* parent, const TWorld& world, int32_t current);

  QListWidget* lbWeapons = nullptr;
  QSplitter* Splitter1 = nullptr;
  QCheckBox* chTwoHanded = nullptr;
  QCheckBox* chPrimaryWeapon = nullptr;
  QCheckBox* chSecondaryWeapon = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* edSkillName = nullptr;
  QLabel* Label2 = nullptr;
  QTableWidget* sgDamages = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 public slots:
  void accept() override;

 private:
  QWidget* CreateDetails();
  void lbWeaponsClick();

  const TWorld& world_;
};

}  // namespace tavro::ui
