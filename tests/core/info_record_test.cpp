// Contact names and info records.
#include "contract/info_record.h"
#include "plugin_fixture.h"

typedef PluginTest InfoRecords;

TEST_F(InfoRecords, DisplayNameIsTheFirstNonEmptyOfColumns8_17_6_0) {
    int row = vorlane.addContact(10, "1234");
    EXPECT_EQ(contactDisplayName(row), "1234");
    vorlane.setContact(row, 6, std::string("Ola"));
    EXPECT_EQ(contactDisplayName(row), "Ola");
    vorlane.setContact(row, 17, std::string("Aleksandra"));
    EXPECT_EQ(contactDisplayName(row), "Aleksandra");
    vorlane.setContact(row, 8, std::string("Ola K."));
    EXPECT_EQ(contactDisplayName(row), "Ola K.");
    vorlane.setContact(row, 8, std::string(""));
    EXPECT_EQ(contactDisplayName(row), "Aleksandra");
    int empty = vorlane.addContact(10, "");
    EXPECT_EQ(contactDisplayName(empty), "");
    EXPECT_EQ(contactDisplayName(999), "");
}

TEST(InfoRecord, FieldsAreAppendedOrReplacedInPlace) {
    const std::string sub(1, '\x1a');
    std::string r = setInfoField("", "name", "Ola");
    EXPECT_EQ(r, sub + "name=Ola");
    r = setInfoField(r, "name", "Ala");
    EXPECT_EQ(r, sub + "name=Ala");
    r = setInfoField(r, "status", "64");
    EXPECT_EQ(r, sub + "name=Ala" + sub + "status=64");
    // Replacing the first field keeps the later ones in order.
    EXPECT_EQ(setInfoField(r, "name", "Ewa Nowak"), sub + "name=Ewa Nowak" + sub + "status=64");
    EXPECT_EQ(setInfoField(r, "status", "2"), sub + "name=Ala" + sub + "status=2");
    // A key never matches the tail of a longer key.
    std::string longer = sub + "surname=Kowalska";
    EXPECT_EQ(setInfoField(longer, "name", "Ola"), longer + sub + "name=Ola");
    EXPECT_EQ(setInfoField(r, "", "x"), r);
    EXPECT_EQ(setInfoField(r, "name", ""), sub + "name=" + sub + "status=64");
}
