#include "app/store/data_file.h"

#include <gtest/gtest.h>

#include "app/store/codec.h"
#include "app/store/planner_in.h"

namespace store {
namespace {

class DataFileTest : public ::testing::Test {
 protected:
  void AddSections(std::initializer_list<std::string> names) {
    for (const std::string& name : names) WriteIni(planner_, name, "Nom", "x", planner_.DataFile);
  }
  ScratchFolder folder_;
  Planner planner_ = PlannerIn(folder_);
};

TEST_F(DataFileTest, MaxSectionIndexIgnoresTheFileOrder) {
  AddSections({"ACTIVITE2", "ACTIVITE0", "ACTIVITE1"});
  EXPECT_EQ(MaxSectionIndex(planner_, "ACTIVITE"), 2);
}

TEST_F(DataFileTest, MaxSectionIndexSeesPastAGap) {
  AddSections({"ACTIVITE0", "ACTIVITE2"});
  EXPECT_EQ(MaxSectionIndex(planner_, "ACTIVITE"), 2);
}

TEST_F(DataFileTest, MaxSectionIndexTakesOnlyThePrefixFollowedByDigits) {
  AddSections({"RESSOURCE3", "CATEGORIE5", "RESSOURCE", "RESSOURCEabc", "ressource7",
               "Ressource8", "RESSOURCE 9", "RESSOURCE-4", "RESSOURCE99999999999", "PARAM"});
  EXPECT_EQ(MaxSectionIndex(planner_, "RESSOURCE"), 3);
  EXPECT_EQ(MaxSectionIndex(planner_, "CATEGORIE"), 5);
  EXPECT_EQ(MaxSectionIndex(planner_, "ACTIVITE"), -1);
}

TEST_F(DataFileTest, NoDataFileReadsAsEmpty) {
  EXPECT_EQ(MaxSectionIndex(planner_, "RESSOURCE"), -1);
  EXPECT_EQ(MaxSectionIndex(planner_, "CATEGORIE"), -1);
  EXPECT_EQ(MaxSectionIndex(planner_, "ACTIVITE"), -1);
  EXPECT_EQ(ReadIni("PARAM", "Projet", planner_.DataFile), "");
  EXPECT_EQ(ReadIni("PARAM", "Projet", planner_.DataFile, "default"), "default");
  EXPECT_TRUE(GetIniSectionNames(planner_.DataFile).empty());
}

TEST_F(DataFileTest, ReadIniReturnsExactlyWhatWasWritten) {
  std::string longValue;
  for (int i = 0; i < 3000; ++i) longValue += "é";
  const std::pair<std::string, std::string> values[] = {
      {"Type", "Garage ¦ Réparations"},
      {"Projet", "  Chantiers  "},
      {"Synchro", "https://example.org/?a=[1];b=\"2\""},
      {"Mail", ""},
      {"Long", longValue},
  };
  for (const auto& [key, value] : values) {
    ASSERT_EQ(WriteIni(planner_, "PARAM", key, value, planner_.DataFile), 1);
  }
  for (const auto& [key, value] : values) {
    EXPECT_EQ(ReadIni("PARAM", key, planner_.DataFile), value) << key;
  }
  EXPECT_EQ(ReadIni("PARAM", "projet", planner_.DataFile), "") << "keys are compared encoded";
  EXPECT_EQ(GetIniSectionNames(planner_.DataFile), std::vector<std::string>{"PARAM"});
}

TEST_F(DataFileTest, TheFileHoldsOnlyEncodedNamesAndValues) {
  WriteIni(planner_, "PARAM", "Type", "Garage", planner_.DataFile);
  WriteIni(planner_, "PARAM", "Type", "Cabinet", planner_.DataFile);
  WriteIni(planner_, "RESSOURCE0", "Nom", "Salle 2¦1", planner_.DataFile);
  EXPECT_EQ(ReadTextFile(planner_.DataFile),
            "[" + EncodeIniText("PARAM") + "]\n" + EncodeIniText("Type") + "=" +
                EncodeIniText("Cabinet") + "\n[" + EncodeIniText("RESSOURCE0") + "]\n" +
                EncodeIniText("Nom") + "=" + EncodeIniText("Salle 2¦1") + "\n");
}

TEST_F(DataFileTest, LowerCaseCodesInTheFileReadTheSame) {
  auto lowered = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  WriteTextFile(planner_.DataFile, "[" + lowered(EncodeIniText("PARAM")) + "]\n" +
                                       lowered(EncodeIniText("Act")) + "=" +
                                       lowered(EncodeIniText("Étapes")) + "\n");
  EXPECT_EQ(ReadIni("PARAM", "Act", planner_.DataFile), "Étapes");
}

TEST_F(DataFileTest, EverySectionIsListedInFileOrder) {
  // Far more names than a listing of 2048 characters would hold.
  std::vector<std::string> written;
  for (int i = 300; i >= 0; --i) written.push_back("CATEGORIE" + std::to_string(i));
  for (const std::string& name : written) {
    WriteIni(planner_, name, "Nom", "", planner_.DataFile);
  }
  EXPECT_EQ(GetIniSectionNames(planner_.DataFile), written);
  EXPECT_EQ(MaxSectionIndex(planner_, "CATEGORIE"), 300);
}

}  // namespace
}  // namespace store
