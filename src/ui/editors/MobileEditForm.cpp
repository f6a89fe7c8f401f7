#include "ui/editors/MobileEditForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <chrono>

#include "area/Area.h"
#include "area/MobileEditing.h"
#include "area/RecordChecks.h"
#include "reading/Cases.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/CasesFixForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/MobileShopPages.h"
#include "ui/editors/ProgsPage.h"
#include "ui/editors/TextField.h"
#include "world/RacesClasses.h"
#include "world/World.h"
#include "world/WorldSpecFunctions.h"

namespace tavro::ui {

namespace {

using Field = int32_t& (*)(TAreaMobileData&);

template <size_t I>
int32_t& stat(TAreaMobileData& m) {
  return m.Stats[I];
}
template <size_t I>
int32_t& save(TAreaMobileData& m) {
  return m.Saves[I];
}
template <size_t I>
int32_t& hit_dice(TAreaMobileData& m) {
  return m.HitDice[I];
}
template <size_t I>
int32_t& dam_dice(TAreaMobileData& m) {
  return m.DamDice[I];
}

constexpr std::array<const char*, 7> kStatNames = {"Str", "Int", "Wis", "Dex", "Con", "Cha", "Lck"};
constexpr std::array<Field, 7> kStats = {stat<0>, stat<1>, stat<2>, stat<3>, stat<4>, stat<5>, stat<6>};
constexpr std::array<const char*, 5> kSaveCaptions = {"Poison", "Wand", "Para", "Breath", "Spell/Staff"};
constexpr std::array<const char*, 5> kSaveNames = {"edPoison", "edWand", "edPara", "edBreath", "edSpell"};
constexpr std::array<Field, 5> kSaves = {save<0>, save<1>, save<2>, save<3>, save<4>};

const TShopPageSpec& shop_spec() {
  static const TShopPageSpec spec{"TSShop",
                                  "chHaveShop",
                                  QStringLiteral("Have Shop"),
                                  "cbBuy",
                                  QStringLiteral("Buy types"),
                                  5,
                                  {{"edProfitBuy", QStringLiteral("Profit buy"), {}},
                                   {"edProfitSell", QStringLiteral("Profit sell"), {}},
                                   {"edOpenHour", QStringLiteral("Open hour"), {}},
                                   {"edCloseHour", QStringLiteral("Close hour"), {}}},
                                  "edShopOpenAlready"};
  return spec;
}

const TShopPageSpec& repair_spec() {
  static const TShopPageSpec spec{
      "TSRepair",
      "chHaveRepairShop",
      QStringLiteral("Have Repair Shop"),
      "cbFix",
      QStringLiteral("Fix types"),
      3,
      {{"edProfitFix", QStringLiteral("Profit fix"), {}},
       {"cbRepairType",
        QStringLiteral("Shop Type"),
        {QStringLiteral("Unknown"), QStringLiteral("Fix"), QStringLiteral("Recharge")}},
       {"edRepairOpen", QStringLiteral("Open hour"), {}},
       {"edRepairClose", QStringLiteral("Close hour"), {}}},
      "btnRepairShopOpenAlready"};
  return spec;
}

// The shop's numbers in the order of its page.
std::vector<int32_t*> numbers_of(TAreaShopData& shop) {
  return {&shop.ProfitBuy, &shop.ProfitSell, &shop.OpenHour, &shop.CloseHour};
}
std::vector<int32_t*> numbers_of(TAreaRepairShopData& shop) {
  return {&shop.ProfitFix, &shop.ShopType, &shop.OpenHour, &shop.CloseHour};
}

template <class Shop, size_t N>
void show_shop(TShopPage& page, Shop* shop, const std::array<int32_t, N>& types) {
  page.Have->setChecked(shop != nullptr);
  page.EnableFields(shop != nullptr);
  if (shop == nullptr) {
    page.ClearValues();
    return;
  }
  std::vector<int32_t> numbers;
  for (int32_t* number : numbers_of(*shop))
    numbers.push_back(*number);
  page.ShowValues(std::vector<int32_t>(types.begin(), types.end()), numbers);
}

template <class Shop, size_t N>
void read_shop(const TShopPage& page, Shop& shop, std::array<int32_t, N>& types) {
  const std::vector<int32_t> chosen = page.Types();
  std::copy_n(chosen.begin(), N, types.begin());
  const std::vector<int32_t> numbers = page.Numbers();
  const std::vector<int32_t*> fields = numbers_of(shop);
  for (size_t i = 0; i < fields.size(); ++i)
    *fields[i] = numbers[i];
}

QGroupBox* group(QWidget* parent, const QString& title) {
  auto* box = new QGroupBox(title, parent);
  box->setAccessibleName(title.trimmed());
  return box;
}

// Caption and field side by side in the next row of a grid.
void add_row(QGridLayout* grid, const QString& caption, QWidget* field) {
  const int row = grid->rowCount();
  grid->addWidget(caption_label(caption, field), row, 0);
  grid->addWidget(field, row, 1);
}

}  // namespace

TMobileEditForm::TMobileEditForm(QWidget* parent)
    : TRecordEditor<TAreaMobile>(parent),
      Random(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count())) {
  FormCreate();
}

TMobileEditForm::~TMobileEditForm() = default;

QLineEdit* TMobileEditForm::NumberEdit(QWidget* parent, const QString& name, const QString& caption,
                                       Field at) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(90);
  numbers_.push_back({edit, caption, at});
  return edit;
}

TFlagCheckList* TMobileEditForm::CheckList(QWidget* parent, const char* name, const QString& caption) {
  auto* list = new TFlagCheckList(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setAccessibleName(caption);
  return list;
}

void TMobileEditForm::AddPage(QWidget* page, const QString& caption) {
  page->setAccessibleName(caption);
  MobInfoPage->addTab(page, caption);
}

void TMobileEditForm::FormCreate() {
  setWindowTitle(QStringLiteral("Mobile Edit"));
  LBSearch->setAccessibleName(QStringLiteral("Mobiles"));
  VNumEdit = NumberEdit(FieldsPanel, QStringLiteral("VNumEdit"), QStringLiteral("VNum"),
                        [](TAreaMobileData& m) -> int32_t& { return m.Vnum; });
  NameEdit = new QLineEdit(FieldsPanel);
  NameEdit->setObjectName(QStringLiteral("NameEdit"));
  edLevel = NumberEdit(FieldsPanel, QStringLiteral("edLevel"), QStringLiteral("Level"),
                       [](TAreaMobileData& m) -> int32_t& { return m.Level; });
  MobInfoPage = new QTabWidget(FieldsPanel);
  MobInfoPage->setObjectName(QStringLiteral("MobInfoPage"));
  // A click on a page tab takes the focus there: a tab bar that does not take it lets the area window hold
  // the focus for a moment, which counts as leaving the fields and would store them.
  MobInfoPage->setFocusPolicy(Qt::StrongFocus);
  auto* top = new QHBoxLayout;
  top->addWidget(caption_label(QStringLiteral("&VNum"), VNumEdit));
  top->addWidget(VNumEdit);
  top->addWidget(caption_label(QStringLiteral("&Name"), NameEdit));
  top->addWidget(NameEdit, 1);
  top->addWidget(caption_label(QStringLiteral("&Level"), edLevel));
  top->addWidget(edLevel);
  auto* layout = new QVBoxLayout(FieldsPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(MobInfoPage, 1);
  AddPage(CreateDescriptionsPage(), QStringLiteral("Descriptions"));
  AddPage(CreateClassRacePage(), QStringLiteral("Class/Race"));
  AddPage(CreateStatsPage(), QStringLiteral("Stats"));
  AddPage(CreateBattlePage(), QStringLiteral("Battle"));
  AddPage(CreateFlagsPage(), QStringLiteral("Flags"));
  AddPage(CreateIRSPage(), QStringLiteral("IRS Flags"));
  WatchEdits();
  CreateListPages();
  // Choosing the language being spoken is an edit too, though no tick changes.
  connect(chLang, &QListWidget::itemSelectionChanged, this, [this] {
    if (!ShowingItem) Dirty = true;
  });
  connect(chComplex, &QCheckBox::toggled, this, &TMobileEditForm::EnableComplexFields);
  connect(btnRandomizeStats, &QPushButton::clicked, this, &TMobileEditForm::RandomizeStats);
  connect(Button1, &QPushButton::clicked, this, &TMobileEditForm::Button1Click);
  RouteDataPanelExitToApply();
}

QWidget* TMobileEditForm::CreateDescriptionsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSDescription"));
  SNameEdit = new QLineEdit(page);
  SNameEdit->setObjectName(QStringLiteral("SNameEdit"));
  Button1 = new QPushButton(QStringLiteral("..."), page);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAccessibleName(QStringLiteral("Cases"));
  Button1->setToolTip(QStringLiteral("The six grammatical cases of the short description"));
  LNameEdit = new QLineEdit(page);
  LNameEdit->setObjectName(QStringLiteral("LNameEdit"));
  DescriptionEdit = new TTextField(page);
  DescriptionEdit->setObjectName(QStringLiteral("DescriptionEdit"));
  auto* grid = new QGridLayout(page);
  grid->addWidget(caption_label(QStringLiteral("&Short"), SNameEdit), 0, 0);
  grid->addWidget(SNameEdit, 0, 1);
  grid->addWidget(Button1, 0, 2);
  grid->addWidget(caption_label(QStringLiteral("L&ong"), LNameEdit), 1, 0);
  grid->addWidget(LNameEdit, 1, 1, 1, 2);
  grid->addWidget(caption_label(QStringLiteral("&Description"), DescriptionEdit), 2, 0, Qt::AlignTop);
  grid->addWidget(DescriptionEdit, 2, 1, 1, 2);
  grid->setRowStretch(2, 1);
  return page;
}

QWidget* TMobileEditForm::CreateClassRacePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSClassRace"));
  auto* fields = new QGridLayout;
  add_row(fields, QStringLiteral("Alignment"),
          edAlignment = NumberEdit(page, QStringLiteral("edAlignment"), QStringLiteral("Alignment"),
                                   [](TAreaMobileData& m) -> int32_t& { return m.Alignment; }));
  for (auto [box, name, caption] :
       {std::tuple{&cbClass, "cbClass", "Class"}, std::tuple{&cbRace, "cbRace", "Race"},
        std::tuple{&cbSex, "cbSex", "Sex"}}) {
    *box = new TChoiceBox(page);
    (*box)->setObjectName(QString::fromLatin1(name));
    add_row(fields, QString::fromLatin1(caption), *box);
  }
  cbSex->setEntries({QStringLiteral("Neutral"), QStringLiteral("Male"), QStringLiteral("Female")});
  add_row(fields, QStringLiteral("Height"),
          edHeight = NumberEdit(page, QStringLiteral("edHeight"), QStringLiteral("Height"),
                                [](TAreaMobileData& m) -> int32_t& { return m.Height; }));
  add_row(fields, QStringLiteral("Weight"),
          edWeight = NumberEdit(page, QStringLiteral("edWeight"), QStringLiteral("Weight"),
                                [](TAreaMobileData& m) -> int32_t& { return m.Weight; }));
  add_row(fields, QStringLiteral("Gold"),
          edGold = NumberEdit(page, QStringLiteral("edGold"), QStringLiteral("Gold"),
                              [](TAreaMobileData& m) -> int32_t& { return m.Gold; }));
  add_row(fields, QStringLiteral("Exp"),
          edExp = NumberEdit(page, QStringLiteral("edExp"), QStringLiteral("Exp"),
                             [](TAreaMobileData& m) -> int32_t& { return m.Exp; }));
  chComplex = new QCheckBox(QStringLiteral("&Complex"), page);
  chComplex->setObjectName(QStringLiteral("chComplex"));
  fields->addWidget(chComplex, fields->rowCount(), 1);
  fields->setRowStretch(fields->rowCount(), 1);
  chLang = CheckList(page, "chLang", QStringLiteral("Languages"));
  chParts = CheckList(page, "chParts", QStringLiteral("Body Parts"));
  chLang->setToolTip(QStringLiteral("Ticked: languages spoken; selected: the language in use"));
  auto* lists = new QGridLayout;
  lists->addWidget(caption_label(QStringLiteral("Languages"), chLang), 0, 0);
  lists->addWidget(chLang, 1, 0);
  lists->addWidget(caption_label(QStringLiteral("Body Parts"), chParts), 0, 1);
  lists->addWidget(chParts, 1, 1);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(fields);
  layout->addLayout(lists, 1);
  complex_fields_.insert(complex_fields_.end(), {cbRace, cbClass, edHeight, edWeight, chLang, chParts});
  return page;
}

QWidget* TMobileEditForm::CreateStatsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSStats"));
  QGroupBox* stats = group(page, QStringLiteral(" Stats "));
  auto* stat_grid = new QGridLayout(stats);
  for (size_t i = 0; i < kStats.size(); ++i) {
    const QString caption = QString::fromLatin1(kStatNames[i]);
    edStats[i] = NumberEdit(stats, QStringLiteral("ed") + caption, caption, kStats[i]);
    add_row(stat_grid, caption, edStats[i]);
  }
  btnRandomizeStats = new QPushButton(QStringLiteral("&Rand"), stats);
  btnRandomizeStats->setObjectName(QStringLiteral("btnRandomizeStats"));
  btnRandomizeStats->setToolTip(QStringLiteral("Each attribute drawn at random from 13 to 25"));
  stat_grid->addWidget(btnRandomizeStats, stat_grid->rowCount(), 1);
  QGroupBox* saves = group(page, QStringLiteral(" Savings vs "));
  auto* save_grid = new QGridLayout(saves);
  for (size_t i = 0; i < kSaves.size(); ++i) {
    const QString caption = QString::fromLatin1(kSaveCaptions[i]);
    edSaves[i] = NumberEdit(saves, QString::fromLatin1(kSaveNames[i]), caption, kSaves[i]);
    add_row(save_grid, caption, edSaves[i]);
  }
  save_grid->setRowStretch(save_grid->rowCount(), 1);
  auto* choices = new QGridLayout;
  for (auto [box, name, caption] : {std::tuple{&cbPosition, "cbPosition", "Position"},
                                    std::tuple{&cbDefPosition, "cbDefPosition", "Def. Position"},
                                    std::tuple{&cbSpecFunction, "cbSpecFunction", "Spec Function"}}) {
    *box = new TChoiceBox(page);
    (*box)->setObjectName(QString::fromLatin1(name));
    add_row(choices, QString::fromLatin1(caption), *box);
  }
  choices->setRowStretch(choices->rowCount(), 1);
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(stats);
  layout->addWidget(saves);
  layout->addLayout(choices, 1);
  complex_fields_.insert(complex_fields_.end(), edStats.begin(), edStats.end());
  complex_fields_.insert(complex_fields_.end(), edSaves.begin(), edSaves.end());
  return page;
}

QWidget* TMobileEditForm::CreateBattlePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSBattleStats"));
  auto* fields = new QGridLayout;
  const auto plain = [&](QLineEdit*& edit, const char* name, const char* caption, Field at) {
    edit = NumberEdit(page, QString::fromLatin1(name), QString::fromLatin1(caption), at);
    add_row(fields, QString::fromLatin1(caption), edit);
  };
  plain(edHitroll, "edHitroll", "Hitroll", [](TAreaMobileData& m) -> int32_t& { return m.Hitroll; });
  plain(edDamroll, "edDamroll", "Damroll", [](TAreaMobileData& m) -> int32_t& { return m.Damroll; });
  plain(edAC, "edAC", "AC", [](TAreaMobileData& m) -> int32_t& { return m.AC; });
  plain(edThac0, "edThac0", "THAC0", [](TAreaMobileData& m) -> int32_t& { return m.Thac0; });
  // Dice as "number d size + plus" on one row.
  const auto dice = [&](std::array<QLineEdit*, 3>& edits, const char* prefix, const QString& caption,
                        std::array<Field, 3> at) {
    static const std::array<const char*, 3> parts = {"Dice", "Size", "Plus"};
    static const std::array<const char*, 3> signs = {"", "d", "+"};
    auto* row = new QHBoxLayout;
    for (size_t i = 0; i < 3; ++i) {
      const QString part = caption + (i == 0 ? QString() : u' ' + QString::fromLatin1(parts[i]).toLower());
      edits[i] = NumberEdit(page, QString::fromLatin1(prefix) + QString::fromLatin1(parts[i]), part, at[i]);
      edits[i]->setAccessibleName(part);
      if (i > 0) row->addWidget(new QLabel(QString::fromLatin1(signs[i]), page));
      row->addWidget(edits[i]);
    }
    const int at_row = fields->rowCount();
    auto* label = new QLabel(caption, page);
    label->setBuddy(edits[0]);
    fields->addWidget(label, at_row, 0);
    fields->addLayout(row, at_row, 1);
  };
  dice(edHitDice, "edHit", QStringLiteral("Hit dice"), {hit_dice<0>, hit_dice<1>, hit_dice<2>});
  dice(edDamDice, "edDam", QStringLiteral("Dam dice"), {dam_dice<0>, dam_dice<1>, dam_dice<2>});
  plain(edNumAttacks, "edNumAttacks", "Num attacks",
        [](TAreaMobileData& m) -> int32_t& { return m.NumAttacks; });
  fields->setRowStretch(fields->rowCount(), 1);
  chAttacks = CheckList(page, "chAttacks", QStringLiteral("Attacks"));
  chDefenses = CheckList(page, "chDefenses", QStringLiteral("Defenses"));
  auto* lists = new QGridLayout;
  lists->addWidget(caption_label(QStringLiteral("Attacks"), chAttacks), 0, 0);
  lists->addWidget(chAttacks, 1, 0);
  lists->addWidget(caption_label(QStringLiteral("Defenses"), chDefenses), 0, 1);
  lists->addWidget(chDefenses, 1, 1);
  lists->setColumnStretch(0, 3);
  lists->setColumnStretch(1, 2);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(fields);
  layout->addLayout(lists, 1);
  complex_fields_.insert(complex_fields_.end(), {edNumAttacks, edHitroll, edDamroll, chAttacks, chDefenses});
  return page;
}

QWidget* TMobileEditForm::CreateFlagsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSFlags"));
  chAct = CheckList(page, "chAct", QStringLiteral("Act"));
  chAffectedBy = CheckList(page, "chAffectedBy", QStringLiteral("Affected by"));
  auto* layout = new QGridLayout(page);
  layout->addWidget(caption_label(QStringLiteral("Act"), chAct), 0, 0);
  layout->addWidget(chAct, 1, 0);
  layout->addWidget(caption_label(QStringLiteral("Affected by"), chAffectedBy), 0, 1);
  layout->addWidget(chAffectedBy, 1, 1);
  layout->setColumnStretch(0, 2);
  layout->setColumnStretch(1, 3);
  return page;
}

QWidget* TMobileEditForm::CreateIRSPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TSIRSFlags"));
  auto* layout = new QGridLayout(page);
  int column = 0;
  for (auto [list, name, caption] :
       {std::tuple{&chImm, "chImm", "Immune"}, std::tuple{&chRes, "chRes", "Resistant"},
        std::tuple{&chSus, "chSus", "Susceptible"}}) {
    *list = CheckList(page, name, QString::fromLatin1(caption));
    layout->addWidget(caption_label(QString::fromLatin1(caption), *list), 0, column);
    layout->addWidget(*list, 1, column++);
  }
  complex_fields_.insert(complex_fields_.end(), {chImm, chRes, chSus});
  return page;
}

// The pages that edit the working copy say themselves when they are edited, so that showing another
// program or a shop's values is no edit.
void TMobileEditForm::CreateListPages() {
  Progs = new TProgsPage;
  Progs->setObjectName(QStringLiteral("TabSheet6"));
  auto* extra = new QLabel(QStringLiteral("Mobiles have no extra descriptions."));
  extra->setObjectName(QStringLiteral("TSExtraDescs"));
  extra->setAlignment(Qt::AlignCenter);
  Shop = new TShopPage(shop_spec());
  Repair = new TShopPage(repair_spec());
  AddPage(Progs, QStringLiteral("Progs"));
  AddPage(extra, QStringLiteral("Extra Descs"));
  MobInfoPage->setTabEnabled(MobInfoPage->indexOf(extra), false);
  AddPage(Shop, QStringLiteral("Shop"));
  AddPage(Repair, QStringLiteral("Repair"));
  const auto edited = [this] {
    if (!ShowingItem) Dirty = true;
  };
  connect(Progs, &TProgsPage::edited, this, edited);
  for (TShopPage* page : {Shop, Repair}) {
    for (QLineEdit* edit : page->findChildren<QLineEdit*>())
      connect(edit, &QLineEdit::textEdited, this, edited);
    for (QComboBox* box : page->findChildren<QComboBox*>())
      connect(box, &QComboBox::activated, this, edited);
    connect(page->OpenAlready, &QPushButton::clicked, this, edited);
    connect(page, &TShopPage::haveClicked, this, edited);
  }
  connect(Shop, &TShopPage::haveClicked, this, &TMobileEditForm::HaveShopClick);
  connect(Repair, &TShopPage::haveClicked, this, &TMobileEditForm::HaveRepairShopClick);
}

void TMobileEditForm::BindArea(TArea& area) {
  if (const TWorld* world = area.world()) {
    QStringList classes, races, specials{QStringLiteral("[None]")};
    for (const auto& item : world->Classes->Items)
      classes << from_cp1251(item->Name);
    for (const auto& item : world->Races->Items)
      races << from_cp1251(item->Name);
    std::vector<int32_t> special_numbers{-1};
    for (const std::string& name : world->SpecFunctions->Items) {
      specials << from_cp1251(name);
      special_numbers.push_back(static_cast<int32_t>(special_numbers.size()));
    }
    cbClass->setEntries(classes);
    cbRace->setEntries(races);
    cbSpecFunction->setEntries(specials, std::move(special_numbers));
    cbPosition->setPlainList(world->PositionTypes);
    cbDefPosition->setPlainList(world->PositionTypes);
    chLang->setFlagList(world->LangTypes);
    chParts->setFlagList(world->BodyPartFlags);
    chAttacks->setFlagList(world->AttackTypes);
    chDefenses->setFlagList(world->DefenseTypes);
    chAct->setFlagList(world->ActFlags);
    chAffectedBy->setFlagList(world->AffectedByFlags);
    for (TFlagCheckList* list : {chImm, chRes, chSus})
      list->setFlagList(world->RISFlags);
    Progs->SetProgTypes(world->ProgTypes);
    Shop->SetItemTypes(world->ItemTypes);
    Repair->SetItemTypes(world->ItemTypes);
  }
  TRecordEditor<TAreaMobile>::BindArea(area);
}

TRecordEditor<TAreaMobile>::List& TMobileEditForm::Records(TArea& area) const {
  return area.Mobiles->Items;
}

uint32_t TMobileEditForm::Scope() const {
  return kMobilesChanged;
}

QString TMobileEditForm::EntryText(const TAreaMobile& mobile) const {
  return QString::asprintf("%-5d ", mobile.Vnum) + from_cp1251(decode_case(mobile.ShortDescription, 1));
}

QString TMobileEditForm::RecordLabel(const TAreaMobile& mobile) const {
  return QStringLiteral("Mobile %1").arg(mobile.Vnum);
}

QString TMobileEditForm::ErrorPrefix() const {
  return QStringLiteral("Mob: Bad information:");
}

void TMobileEditForm::ShowRecord(const TAreaMobile& mobile) {
  work_ = CopyOf(mobile);
  FillFields();
}

// A new mobile takes the first vnum after the area's largest that no mobile of the world has.
void TMobileEditForm::ClearFields() {
  work_ = std::make_unique<TAreaMobile>(area() ? area()->Mobiles.get() : nullptr);
  if (area()) {
    int32_t vnum = area()->Mobiles->NextFreeVnum();
    while (vnum < INT32_MAX && !VnumRefusal(*area(), RecordKind::Mobile, vnum, nullptr).empty())
      ++vnum;
    work_->Vnum = vnum;
  }
  const bool showing = ShowingItem;
  ShowingItem = true;
  FillFields();
  ShowingItem = showing;
}

void TMobileEditForm::FillFields() {
  const TAreaMobile& mobile = *work_;
  for (const TNumberField& field : numbers_)
    field.edit->setText(QString::number(field.at(*work_)));
  NameEdit->setText(from_cp1251(mobile.Name).trimmed());
  SNameEdit->setText(from_cp1251(mobile.ShortDescription));
  LNameEdit->setText(from_cp1251(mobile.LongDescription).trimmed());
  DescriptionEdit->setText(mobile.Description);
  chComplex->setChecked(mobile.Complex);
  cbClass->setValue(mobile.Class);
  cbRace->setValue(mobile.Race);
  cbSex->setValue(mobile.Sex);
  cbPosition->setValue(mobile.Position);
  cbDefPosition->setValue(mobile.DefPosition);
  cbSpecFunction->setValue(mobile.Special);
  // The language in use is the selected row: the previous mobile's must not stay selected.
  chLang->setFlags(static_cast<uint32_t>(mobile.Speaks));
  chLang->setChoice(static_cast<uint32_t>(mobile.Speaking));
  chParts->setFlags(mobile.Parts);
  chImm->setFlags(mobile.Immune);
  chRes->setFlags(mobile.Resistant);
  chSus->setFlags(mobile.Susceptible);
  chAttacks->setBitVector(mobile.Attacks);
  chDefenses->setBitVector(mobile.Defenses);
  chAct->setBitVector(mobile.ActFlags);
  chAffectedBy->setBitVector(mobile.AffectedBy);
  ShowShops();
  EnableComplexFields(mobile.Complex);
  Progs->SetProgs(work_->Progs.get());
}

void TMobileEditForm::ShowShops() {
  show_shop(*Shop, work_->Shop.get(), work_->Shop ? work_->Shop->BuyTypes : std::array<int32_t, 5>{});
  show_shop(*Repair, work_->RepairShop.get(),
            work_->RepairShop ? work_->RepairShop->FixTypes : std::array<int32_t, 3>{});
}

void TMobileEditForm::EnableComplexFields(bool on) {
  for (QWidget* field : complex_fields_)
    field->setEnabled(on);
}

// Ticking gives the working copy a shop at once and shows it; unticking only disables the fields, and
// the shop is dropped when the mobile is stored.
void TMobileEditForm::HaveShopClick(bool on) {
  Shop->EnableFields(on);
  if (!on || work_->Shop) return;
  work_->SetHasShop(true);
  show_shop(*Shop, work_->Shop.get(), work_->Shop->BuyTypes);
}

void TMobileEditForm::HaveRepairShopClick(bool on) {
  Repair->EnableFields(on);
  if (!on || work_->RepairShop) return;
  work_->SetHasRepairShop(true);
  show_shop(*Repair, work_->RepairShop.get(), work_->RepairShop->FixTypes);
}

void TMobileEditForm::RandomizeStats() {
  const std::array<int32_t, 7> stats = RandomStats(Random);
  for (size_t i = 0; i < stats.size(); ++i)
    edStats[i]->setText(QString::number(stats[i]));
  if (!ShowingItem) Dirty = true;
}

void TMobileEditForm::Button1Click() {
  const std::optional<QString> set =
      TCasesFixForm::EditCaseSet(CommonPanel->window(), SNameEdit->text().trimmed());
  if (!set) return;
  SNameEdit->setText(*set);
  Dirty = true;
}

void TMobileEditForm::ReadFields(TAreaMobile& mobile) {
  Progs->CheckTexts();
  mobile.Assign(*work_);
  for (const TNumberField& field : numbers_)
    field.at(mobile) = field_number(field.edit, field.caption);
  ReadTexts(mobile);
  ReadChoices(mobile);
  ReadShops(mobile);
}

void TMobileEditForm::ReadTexts(TAreaMobile& mobile) {
  mobile.Name = field_text(NameEdit->text().trimmed(), QStringLiteral("Name"), NameEdit);
  mobile.ShortDescription = field_text(SNameEdit->text().trimmed(), QStringLiteral("Short"), SNameEdit);
  mobile.LongDescription = field_text(LNameEdit->text().trimmed(), QStringLiteral("Long"), LNameEdit);
  mobile.Description = DescriptionEdit->text();
  check_field_text(mobile.Description, QStringLiteral("Description"), DescriptionEdit);
}

void TMobileEditForm::ReadChoices(TAreaMobile& mobile) {
  mobile.Complex = chComplex->isChecked();
  mobile.Class = cbClass->value();
  mobile.Race = cbRace->value();
  mobile.Sex = cbSex->value();
  mobile.Position = cbPosition->value();
  mobile.DefPosition = cbDefPosition->value();
  mobile.Special = cbSpecFunction->value();
  mobile.Speaks = static_cast<int32_t>(chLang->flags());
  mobile.Speaking = static_cast<int32_t>(chLang->choice());
  mobile.Parts = chParts->flags();
  mobile.Immune = chImm->flags();
  mobile.Resistant = chRes->flags();
  mobile.Susceptible = chSus->flags();
  mobile.Attacks = chAttacks->bitVector();
  mobile.Defenses = chDefenses->bitVector();
  mobile.ActFlags = chAct->bitVector();
  mobile.AffectedBy = chAffectedBy->bitVector();
}

void TMobileEditForm::ReadShops(TAreaMobile& mobile) {
  mobile.SetHasShop(Shop->Have->isChecked());
  if (mobile.Shop) read_shop(*Shop, *mobile.Shop, mobile.Shop->BuyTypes);
  mobile.SetHasRepairShop(Repair->Have->isChecked());
  if (mobile.RepairShop) read_shop(*Repair, *mobile.RepairShop, mobile.RepairShop->FixTypes);
}

void TMobileEditForm::Validate(const TAreaMobile& mobile, const TAreaMobile* live) {
  const std::string refusal = VnumRefusal(*area(), RecordKind::Mobile, mobile.Vnum, live);
  if (!refusal.empty()) throw TFieldError(from_cp1251(refusal), VNumEdit);
}

std::unique_ptr<TAreaMobile> TMobileEditForm::NewRecord(TArea& area) const {
  return std::make_unique<TAreaMobile>(area.Mobiles.get());
}

std::unique_ptr<TAreaMobile> TMobileEditForm::CopyOf(const TAreaMobile& mobile) const {
  auto copy = std::make_unique<TAreaMobile>(mobile.Owner);
  copy->Assign(mobile);
  return copy;
}

std::unique_ptr<TChange> TMobileEditForm::StoreChange(TAreaMobile& live,
                                                      std::unique_ptr<TAreaMobile> edited) {
  const int32_t from = live.Vnum;
  std::unique_ptr<TChange> change = ChangeRecord(live, std::move(edited), area(), Scope());
  if (live.Vnum == from) return change;
  change = WithRenumbering(std::move(change), from, live.Vnum);
  store_called_off_ = change == nullptr;
  return change;
}

// Asked once the mobile has its new vnum; Cancel takes the store back and leaves the typed fields.
std::unique_ptr<TChange> TMobileEditForm::WithRenumbering(std::unique_ptr<TChange> change, int32_t from,
                                                          int32_t to) {
  const std::string question = MobileRenumberQuestion(CountMobileReferences(*area(), from), from, to);
  change =
      with_names_following(CommonPanel, QString::fromLatin1(kRenumberMobileCaption), from_cp1251(question),
                           std::move(change), [&] { return RetargetMobileReferences(*area(), from, to); });
  if (!change) VNumEdit->setFocus();
  return change;
}

void TMobileEditForm::ApplyItem() {
  if (Closed || area() == nullptr) return;
  store_called_off_ = false;
  TRecordEditor<TAreaMobile>::ApplyItem();
  if (store_called_off_) Dirty = true;
  // Stored: the working copy becomes the mobile as stored (a shop unticked is gone from it too).
  if (!Dirty && CurrentIndex >= 0) ShowEntry(CurrentIndex);
}

void TMobileEditForm::ViewItem() {
  QString text = QStringLiteral("&WИмена моба:&w\n");
  const std::string cases = to_cp1251(SNameEdit->text().trimmed());
  for (int n = 1; n <= 6; ++n)
    text += from_cp1251(decode_case(cases, n)) + u'\n';
  text += QStringLiteral("\n&WОписание в комнате:&O\n") + LNameEdit->text() + QStringLiteral("\n\n") +
          QStringLiteral("&WОписание моба:&w\n") + DescriptionEdit->toPlainText();
  ViewText = text;
  TParentForm::ViewItem();
}

}  // namespace tavro::ui
