#pragma once
// The mobile editor of the Mobiles page: an area's creature prototypes, one at a time on ten pages
// (descriptions, class and race, stats, battle, flags, resistances, programs, extra descriptions, which
// mobiles have not, shop and repair shop). The "Complex" switch only decides which fields the builder
// may edit and which form the file gets; every value is kept and stored whatever it says.
//
// Programs and the existence of the shop records are edited in a working copy of the mobile; OK stores
// the fields and the working copy as one step, and a new vnum may take the world's references to the
// old one along in the same step.
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "area/Mobiles.h"
#include "ui/editors/RecordEditor.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tavro::ui {

class TChoiceBox;
class TFlagCheckList;
class TProgsPage;
class TShopPage;
class TTextField;

class TMobileEditForm : public TRecordEditor<TAreaMobile> {
  Q_OBJECT

 public:
  explicit TMobileEditForm(QWidget* parent = nullptr);
  ~TMobileEditForm() override;

  void BindArea(TArea& area) override;
  void ApplyItem() override;
  void ViewItem() override;

  // The mobile being edited with the changes made on the pages (programs, shops given or kept).
  const TAreaMobile& WorkMobile() const { return *work_; }
  // The attribute randomiser draws from this; tests seed it.
  std::mt19937 Random;

  QLineEdit *VNumEdit = nullptr, *NameEdit = nullptr, *edLevel = nullptr;
  QTabWidget* MobInfoPage = nullptr;
  // Descriptions
  QLineEdit* SNameEdit = nullptr;
  QPushButton* Button1 = nullptr;  // the cases editor
  QLineEdit* LNameEdit = nullptr;
  TTextField* DescriptionEdit = nullptr;
  // Class/Race
  QLineEdit* edAlignment = nullptr;
  TChoiceBox *cbClass = nullptr, *cbRace = nullptr, *cbSex = nullptr;
  TFlagCheckList *chLang = nullptr, *chParts = nullptr;
  QLineEdit *edHeight = nullptr, *edWeight = nullptr, *edGold = nullptr, *edExp = nullptr;
  QCheckBox* chComplex = nullptr;
  // Stats
  std::array<QLineEdit*, 7> edStats{};  // Str Int Wis Dex Con Cha Lck
  QPushButton* btnRandomizeStats = nullptr;
  std::array<QLineEdit*, 5> edSaves{};  // Poison Wand Para Breath Spell/Staff
  TChoiceBox *cbPosition = nullptr, *cbDefPosition = nullptr, *cbSpecFunction = nullptr;
  // Battle
  QLineEdit *edHitroll = nullptr, *edDamroll = nullptr, *edAC = nullptr, *edThac0 = nullptr;
  std::array<QLineEdit*, 3> edHitDice{}, edDamDice{};  // number, size, plus
  QLineEdit* edNumAttacks = nullptr;
  TFlagCheckList *chAttacks = nullptr, *chDefenses = nullptr;
  // Flags and IRS flags
  TFlagCheckList *chAct = nullptr, *chAffectedBy = nullptr;
  TFlagCheckList *chImm = nullptr, *chRes = nullptr, *chSus = nullptr;
  TProgsPage* Progs = nullptr;
  TShopPage *Shop = nullptr, *Repair = nullptr;

 protected:
  List& Records(TArea& area) const override;
  uint32_t Scope() const override;
  QString EntryText(const TAreaMobile& mobile) const override;
  QString RecordLabel(const TAreaMobile& mobile) const override;
  QString ErrorPrefix() const override;
  void ShowRecord(const TAreaMobile& mobile) override;
  void ClearFields() override;
  void ReadFields(TAreaMobile& mobile) override;
  void Validate(const TAreaMobile& mobile, const TAreaMobile* live) override;
  std::unique_ptr<TAreaMobile> NewRecord(TArea& area) const override;
  std::unique_ptr<TAreaMobile> CopyOf(const TAreaMobile& mobile) const override;
  std::unique_ptr<TChange> StoreChange(TAreaMobile& live, std::unique_ptr<TAreaMobile> edited) override;

 private:
  // A whole-number field and where its number lives in a mobile.
  struct TNumberField {
    QLineEdit* edit;
    QString caption;
    int32_t& (*at)(TAreaMobileData&);
  };

  void FormCreate();
  QLineEdit* NumberEdit(QWidget* parent, const QString& name, const QString& caption,
                        int32_t& (*at)(TAreaMobileData&));
  TFlagCheckList* CheckList(QWidget* parent, const char* name, const QString& caption);
  void AddPage(QWidget* page, const QString& caption);
  QWidget* CreateDescriptionsPage();
  QWidget* CreateClassRacePage();
  QWidget* CreateStatsPage();
  QWidget* CreateBattlePage();
  QWidget* CreateFlagsPage();
  QWidget* CreateIRSPage();
  void CreateListPages();
  void FillFields();
  void ShowShops();
  void ReadTexts(TAreaMobile& mobile);
  void ReadChoices(TAreaMobile& mobile);
  void ReadShops(TAreaMobile& mobile);
  std::unique_ptr<TChange> WithRenumbering(std::unique_ptr<TChange> change, int32_t from, int32_t to);

  void EnableComplexFields(bool on);
  void HaveShopClick(bool on);
  void HaveRepairShopClick(bool on);
  void RandomizeStats();
  void Button1Click();

  std::unique_ptr<TAreaMobile> work_;
  std::vector<TNumberField> numbers_;
  std::vector<QWidget*> complex_fields_;
  bool store_called_off_ = false;
};

}  // namespace tavro::ui
