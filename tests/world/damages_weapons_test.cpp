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
  EXPECT_EQ(d.Name, utf8_to_cp1251("огонь"));
  EXPECT_EQ(d.DamMsg, utf8_to_cp1251("ожог"));
  EXPECT_TRUE(d.Manual);
  EXPECT_FALSE(world.Damages->Items[1]->Manual);
  EXPECT_EQ(d.Func, "dam_fire");
  EXPECT_EQ(d.RisFlags, 0b1011u);  // three RISFLAG lines, three bits
  EXPECT_EQ(d.Skill, world.Skills->Items[0].get());
  ASSERT_EQ(d.Targets.Items.size(), 2u);
  EXPECT_EQ(d.Targets.Items[0]->Chance, 60);
  EXPECT_EQ(d.Targets.Items[0]->BodyPart, 0);
  EXPECT_EQ(d.Targets.Items[1]->BodyPart, -1);  // not a body part name
  EXPECT_EQ(d.Targets.Items[1]->Owner, &d.Targets);
  ASSERT_EQ(d.PMessages.size(), 24u);
  EXPECT_EQ(d.PMessages[23], "line 23");
  EXPECT_TRUE(d.SMessages.empty());
  EXPECT_EQ(world.Damages->IndexOfName("cold"), 1);
  EXPECT_EQ(world.Damages->IndexOfName("COLD"), 0);
  EXPECT_EQ(world.Damages->FindByName("ice"), nullptr);
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

TEST_F(DamagesWeapons, DamageErrorsAreLayered) {
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGE\nName fire~\nSkill fireball~\nEnd\n#END\n"); }),
            "Load Damages:\r\nLoad Damage:\r\nSkill 'fireball' invalid");
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGE\nName fire~\nColour red\nEnd\n#END\n"); }),
            "Load Damages:\r\nLoad Damage:\r\nSection 'COLOUR' invalid");
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGES\n#END\n"); }), "Load Damages:\r\nBad section 'DAMAGES'");
  EXPECT_EQ(error_of([&] { load_damages("DAMAGE\n"); }), "Load Damages:\r\n# not found");
  EXPECT_EQ(error_of([&] { load_damages("#DAMAGE\nTarget x head~\nEnd\n#END\n"); }),
            "Load Damages:\r\nLoad Damage:\r\nfread_number: Bad format. (x)");
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
  EXPECT_EQ(sword.AmmoOutMsg, "pusto");
  EXPECT_FALSE(sword.TwoHanded);
  EXPECT_TRUE(sword.PrimaryWeapon);
  EXPECT_TRUE(sword.SecondaryWeapon);
  EXPECT_EQ(sword.Skill, world.Skills->Items[1].get());
  ASSERT_EQ(sword.Damages.Items.size(), 2u);  // 130 percent is kept as read
  EXPECT_EQ(sword.Damages.Items[0]->Percent, 70);
  EXPECT_EQ(sword.Damages.Items[0]->DamageType, world.Damages->Items[0].get());
  EXPECT_EQ(sword.Damages.Items[1]->DamageType, world.Damages->Items[1].get());
  const TWorldWeapon& bow = *world.Weapons->Items[1];
  EXPECT_TRUE(bow.TwoHanded);
  EXPECT_FALSE(bow.PrimaryWeapon);
  EXPECT_TRUE(bow.SecondaryWeapon);
  EXPECT_EQ(bow.Skill, nullptr);
  EXPECT_EQ(world.Weapons->IndexOfName("bow"), 1);
  EXPECT_EQ(world.Weapons->IndexOfName("axe"), 0);
  EXPECT_EQ(world.Weapons->FindByName("axe"), nullptr);
}

TEST_F(DamagesWeapons, WeaponErrorsAreLayered) {
  load_damages("#DAMAGE\nName fire~\nEnd\n#END\n");
  EXPECT_EQ(error_of([&] { load_weapons("#WEAPONTYPE\nName sword~\nDamagetype 100 Fire~\nEnd\n#END\n"); }),
            "Load Weapon Types:\r\nLoad Weapon:\r\nDamage 'Fire' invalid");
  EXPECT_EQ(error_of([&] { load_weapons("#WEAPONTYPE\nSkill kick~\nEnd\n#END\n"); }),
            "Load Weapon Types:\r\nLoad Weapon:\r\nSkill 'kick' invalid");
  EXPECT_EQ(error_of([&] { load_weapons("#WEAPONTYPE\nWeight 5\nEnd\n#END\n"); }),
            "Load Weapon Types:\r\nLoad Weapon:\r\nSection 'WEIGHT' invalid");
  EXPECT_EQ(error_of([&] { load_weapons("#DAMAGE\n#END\n"); }), "Load Weapon Types:\r\nBad section 'DAMAGE'");
}

}  // namespace
}  // namespace tavro
