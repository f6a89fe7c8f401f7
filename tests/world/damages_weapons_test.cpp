#include <gtest/gtest.h>

#include "reading/Error.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/World.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using test::error_of;
using testing::ScratchWorld;

class DamagesWeapons : public ::testing::Test {
 protected:
  DamagesWeapons() {
    world.RISFlags = {"0=FIRE", "1=COLD", "2=ELECTRICITY", "3=ENERGY", "4=Blunt"};
    world.BodyPartNames = {"0=head", "1=arms", "2=legs"};
    for (const char* name : {"slash", "pierce"}) {
      auto skill = std::make_unique<TWorldSkill>(world.Skills.get());
      skill->NameEng = name;
      world.Skills->Items.push_back(std::move(skill));
    }
  }
  void load_damages(std::string_view text) {
    scratch.write_server("damages.dat", text);
    world.Damages->Load(scratch.path("damages.dat"));
  }
  void load_weapons(std::string_view text) {
    scratch.write_server("weapontypes.dat", text);
    world.Weapons->Load(scratch.path("weapontypes.dat"));
  }

  ScratchWorld scratch;
  TWorld world;
};

std::string messages_text(const char* word, int count) {
  std::string text = std::string(word) + "\n";
  for (int i = 0; i < count; ++i)
    text += "line " + std::to_string(i) + "~\n";
  return text;
}

TEST_F(DamagesWeapons, DamageKeysReachTheirFields) {
  load_damages(
      "* damage types\n#DAMAGE\nName огонь~\nDammsg ожог~\nBehavior manual\nFunc dam_fire\n"
      "RisFlag fire\nRISFLAG COLD\nRisflag ENERGY\nSkill slash~\nTarget 60 head~\nTarget 40 tail~\n" +
      messages_text("PMessages", 24) + "End\n#DAMAGE\nName cold~\nBehavior AUTO\nEnd\n#END\n");
  ASSERT_EQ(world.Damages->Count(), 2);
  const TWorldDamage& d = *world.Damages->Items[0];
  // Three RISFLAG lines give three bits.
  EXPECT_EQ(std::tie(d.Name, d.DamMsg, d.Func, d.Manual, d.RisFlags, d.Skill),
            std::make_tuple(utf8_to_cp1251("огонь"), utf8_to_cp1251("ожог"), "dam_fire", true, 0b1011u,
                            world.Skills->Items[0].get()));
  EXPECT_FALSE(world.Damages->Items[1]->Manual);
  ASSERT_EQ(d.Targets.Items.size(), 2u);
  // The second target names no body part.
  EXPECT_EQ(std::make_tuple(d.Targets.Items[0]->Chance, d.Targets.Items[0]->BodyPart,
                            d.Targets.Items[1]->BodyPart, d.Targets.Items[1]->Owner),
            std::make_tuple(60, 0, -1, &d.Targets));
  ASSERT_EQ(d.PMessages.size(), 24u);
  EXPECT_EQ(d.PMessages[23], "line 23");
  EXPECT_TRUE(d.SMessages.empty());
  EXPECT_EQ(std::make_tuple(world.Damages->IndexOfName("cold"), world.Damages->IndexOfName("COLD"),
                            world.Damages->FindByName("ice")),
            std::make_tuple(1, 0, nullptr));
}

TEST_F(DamagesWeapons, MessagesGivenTwiceKeepTheSecondSet) {
  std::string first = messages_text("SMessages", 24);
  std::string second = messages_text("smessages", 24);
  second.replace(second.find("line 0"), 6, "again");
  load_damages("#DAMAGE\nName fire~\n" + first + second + messages_text("VMessages", 24) + "End\n#END\n");
  const TWorldDamage& d = *world.Damages->Items[0];
  ASSERT_EQ(d.SMessages.size(), 24u);
  EXPECT_EQ(d.SMessages[0], "again");
  EXPECT_EQ(d.VMessages.size(), 24u);
}

TEST_F(DamagesWeapons, RisFlagsMatchDisplayNamesExactlyAfterUpperCasing) {
  // The word is upper-cased, the list entry is not: "Blunt" can never match.
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGE\nName hit~\nRisflag blunt\nEnd\n#END\n"); }),
            "Load Damages:\r\nLoad Damage:\r\nRISFlag 'BLUNT' invalid");
  world.RISFlags.resize(33, "9=PAD");
  world.RISFlags[32] = "32=FAR";
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGE\nRisflag FAR\nEnd\n#END\n"); }),
            "Load Damages:\r\nLoad Damage:\r\nRISFlag 'FAR' invalid");
}

// The frame of the keyed files (sections, unknown keys) is tested with the skills.
TEST_F(DamagesWeapons, DamageErrorsAreLayered) {
  const std::pair<const char*, const char*> cases[] = {
      {"#DAMAGE\nName fire~\nSkill fireball~\nEnd\n#END\n", "Load Damage:\r\nSkill 'fireball' invalid"},
      {"#DAMAGE\nName fire~\nColour red\nEnd\n#END\n", "Load Damage:\r\nSection 'COLOUR' invalid"},
      {"#DAMAGE\nTarget x head~\nEnd\n#END\n", "Load Damage:\r\nfread_number: Bad format. (x)"}};
  for (const auto& [text, message] : cases)
    EXPECT_EQ(error_of([&] { load_damages(text); }), std::string("Load Damages:\r\n") + message);
  EXPECT_EQ(world.Damages->Count(), 0);
}

TEST_F(DamagesWeapons, WeaponKeysDefaultsAndDamageShares) {
  load_damages("#DAMAGE\nName fire~\nEnd\n#DAMAGE\nName cold~\nEnd\n#END\n");
  load_weapons(
      "#WEAPONTYPE\nName sword~\nAmmooutmsg pusto~\nDamagetype 70 fire~\nDamagetype 60 cold~\n"
      "Skill pierce~\nTwohanded no\nEnd\n"
      "#WEAPONTYPE\nName bow~\nTWOHANDED yes\nPrimaryweapon Off\nSecondaryweapon ON\nEnd\n#END\n");
  ASSERT_EQ(world.Weapons->Count(), 2);
  const TWorldWeapon& sword = *world.Weapons->Items[0];
  const TWorldWeapon& bow = *world.Weapons->Items[1];
  EXPECT_EQ(
      std::tie(sword.AmmoOutMsg, sword.TwoHanded, sword.PrimaryWeapon, sword.SecondaryWeapon, sword.Skill),
      std::make_tuple("pusto", false, true, true, world.Skills->Items[1].get()));
  EXPECT_EQ(std::tie(bow.TwoHanded, bow.PrimaryWeapon, bow.SecondaryWeapon, bow.Skill),
            std::make_tuple(true, false, true, nullptr));
  ASSERT_EQ(sword.Damages.Items.size(), 2u);  // 130 percent is kept as read
  EXPECT_EQ(std::make_tuple(sword.Damages.Items[0]->Percent, sword.Damages.Items[0]->DamageType,
                            sword.Damages.Items[1]->DamageType),
            std::make_tuple(70, world.Damages->Items[0].get(), world.Damages->Items[1].get()));
  EXPECT_EQ(std::make_tuple(world.Weapons->IndexOfName("bow"), world.Weapons->IndexOfName("axe"),
                            world.Weapons->FindByName("axe")),
            std::make_tuple(1, 0, nullptr));
}

TEST_F(DamagesWeapons, WeaponErrorsAreLayered) {
  load_damages("#DAMAGE\nName fire~\nEnd\n#END\n");
  const std::pair<const char*, const char*> cases[] = {
      {"#WEAPONTYPE\nName sword~\nDamagetype 100 Fire~\nEnd\n#END\n",
       "Load Weapon:\r\nDamage 'Fire' invalid"},
      {"#WEAPONTYPE\nSkill kick~\nEnd\n#END\n", "Load Weapon:\r\nSkill 'kick' invalid"},
      {"#DAMAGE\n#END\n", "Bad section 'DAMAGE'"}};
  for (const auto& [text, message] : cases)
    EXPECT_EQ(error_of([&] { load_weapons(text); }), std::string("Load Weapon Types:\r\n") + message);
}

}  // namespace
}  // namespace tavro
