#include "platform/app_error.h"
#include "settings/ini_document.h"

#include <gtest/gtest.h>

using settings::IniDocument;

namespace {

const char* const kUserFile = "; Tarvix settings, edited by hand\n"
                              "[Config]\n"
                              "Path = /home/lab/config/run.ini\n"
                              "\n"
                              "# the board\n"
                              "[GPIB]\n"
                              "BoardID=1\n"
                              "Driver=sim\n"
                              "\n"
                              "[FORM]\n"
                              "txtConfig(3)=2.5\n";

TEST(IniDocumentRead, NamesMatchWithoutCaseAndValuesAreTrimmed) {
    const IniDocument ini(kUserFile);
    EXPECT_EQ(ini.value("config", "PATH"), "/home/lab/config/run.ini");
    EXPECT_EQ(ini.value("gpib", "boardid"), "1");
    EXPECT_EQ(ini.value(" FORM ", "TXTCONFIG(3)"), "2.5");
    EXPECT_EQ(ini.value("GPIB", "Path"), std::nullopt);
    EXPECT_EQ(ini.value("Missing", "Path"), std::nullopt);
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyWin) {
    const IniDocument ini("[A]\nk=first\nK=second\n[a]\nk=third\nother=x\n");
    EXPECT_EQ(ini.value("A", "k"), "first");
    EXPECT_EQ(ini.value("A", "other"), std::nullopt);
}

TEST(IniDocumentRead, CommentsAndKeysOutsideSectionsAreNoKeys) {
    const IniDocument ini("k=outside\n[S]\n;k=commented\n#k=also\nk = \"quoted value\" \r\n");
    EXPECT_EQ(ini.value("S", "k"), "quoted value");
    EXPECT_EQ(IniDocument("[S]\n;k=commented\n").value("S", ";k"), std::nullopt);
    EXPECT_EQ(IniDocument("[S]\nk=  \n").value("S", "k"), "");
}

TEST(IniDocumentRead, ASectionsEntriesReadAsItsValuesDo) {
    const IniDocument ini("[A]\nk = 1\n; c=2\nnokey\n=x\nK=again\nq='quoted' \r\n[a]\nz=3\n");
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ini.entries("a"), (Entries{{"k", "1"}, {"q", "quoted"}}));
    EXPECT_EQ(ini.entries("B"), Entries{});
}

TEST(IniDocumentWrite, ChangesOneLineAndKeepsEverythingElse) {
    IniDocument ini(kUserFile);
    ini.setValue("gpib", "BOARDID", "2");
    std::string expected = kUserFile;
    expected.replace(expected.find("BoardID=1"), 9, "BoardID=2");
    EXPECT_EQ(ini.text(), expected);

    ini.setValue("Config", "path", "/tmp/x.ini");
    EXPECT_NE(ini.text().find("Path = /tmp/x.ini\n"), std::string::npos) << ini.text();
}

// Each save of a value with a leading blank once added one more blank to its line.
TEST(IniDocumentWrite, WritingTheSameValueAgainChangesNothing) {
    IniDocument ini("[S]\nk = 1\n");
    ini.setValue("S", "k", " 2.5 ");
    ini.setValue("S", "New", "\t 3");
    const std::string once = ini.text();
    ini.setValue("S", "k", " 2.5 ");
    ini.setValue("S", "New", "\t 3");
    EXPECT_EQ(ini.text(), once);
    EXPECT_EQ(ini.value("S", "k"), "2.5");
    EXPECT_EQ(ini.value("S", "new"), "3");
}

TEST(IniDocumentWrite, NewKeyGoesToTheEndOfItsSectionBeforeTheBlankLine) {
    IniDocument ini(kUserFile);
    ini.setValue("GPIB", "Timeout", "3");
    EXPECT_NE(ini.text().find("Driver=sim\nTimeout=3\n\n[FORM]"), std::string::npos) << ini.text();
}

TEST(IniDocumentWrite, NewSectionIsAppendedAfterABlankLine) {
    IniDocument ini("[A]\nk=1");
    ini.setValue("FORM_PLACEMENT", "Left", "1200");
    EXPECT_EQ(ini.text(), "[A]\nk=1\n\n[FORM_PLACEMENT]\nLeft=1200\n");

    IniDocument empty;
    empty.setValue("GPIB", "BoardID", "0");
    EXPECT_EQ(empty.text(), "[GPIB]\nBoardID=0\n");
}

TEST(IniDocumentWrite, ASectionTakenOutLeavesEveryOtherLine) {
    IniDocument ini(
        "[Run]\nk=1\n\n[Analysis]\nmethod=mos\n; old\n\n[FORM]\nx=2\n[analysis]\nn=1\n");
    ini.removeSection("Analysis");
    EXPECT_EQ(ini.text(), "[Run]\nk=1\n\n[FORM]\nx=2\n");
    ini.removeSection("Missing");
    ini.setValue("Analysis", "method", "diode");
    EXPECT_EQ(ini.text(), "[Run]\nk=1\n\n[FORM]\nx=2\n\n[Analysis]\nmethod=diode\n");
}

TEST(IniDocumentWrite, WindowsLineEndingsStay) {
    IniDocument ini("[FORM]\r\ntxtA=1\r\n");
    ini.setValue("FORM", "txtA", "5");
    ini.setValue("FORM", "txtB", "6");
    ini.setValue("Other", "k", "v");
    EXPECT_EQ(ini.text(), "[FORM]\r\ntxtA=5\r\ntxtB=6\r\n\r\n[Other]\r\nk=v\r\n");
}

TEST(IniDocumentWrite, WhatOneLineCannotHoldIsRefused) {
    IniDocument ini("[S]\nk=1\n");
    const auto refused = [&](const char* section, const char* key, const char* value) {
        try {
            ini.setValue(section, key, value);
        } catch (const platform::AppError& error) {
            return error.number() == 5;
        }
        return false;
    };
    EXPECT_TRUE(refused("S", "k", "two\nlines"));
    EXPECT_TRUE(refused("S", "a=b", "1"));
    EXPECT_TRUE(refused("S]", "k", "1"));
    EXPECT_TRUE(refused("S", "", "1"));
    EXPECT_EQ(ini.text(), "[S]\nk=1\n");
}

} // namespace
