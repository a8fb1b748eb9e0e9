// vorlane_host.exe playing scenario files as a person would start it: a bad
// line stops it with its place and a non-zero exit, after a clean shut-down;
// the default scenario plays to its end with every expectation holding and
// writes the screenshots it names. Bad lines of every kind get a message.
#include <gtest/gtest.h>
#include <IL/il.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "host/app/scenario_player.h"
#include "support/child_process.h"
#include "support/win_helpers.h"

namespace {
// Runs the host with the arguments and collects what it prints; a host that
// hangs is ended after two minutes.
ChildRun runHost(const std::vector<std::string>& arguments) {
    return runChild(distProgram("vorlane_host.exe"), arguments, 120000, ERRORS_COLLECTED);
}

}  // namespace

TEST(Scenario, ABadLineStopsTheHostWithItsLineNumberAfterAShutDown) {
    TempDir dir;
    dir.write("bad.txt", "# a network, then a typing error\nnet 10 Jabber\n\nwiat 100\nnetwork 10 available\n");
    ChildRun run = runHost({dir.file("bad.txt")});
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_NE(run.output.find("bad.txt:4: unknown command \"wiat\""), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("5: network"), std::string::npos) << "played on after the bad line";
    EXPECT_NE(run.output.find("plug-in stopped"), std::string::npos) << run.output;
}

TEST(Scenario, TheDefaultScenarioPlaysToItsEndAndItsScreenshotsDecode) {
    TempDir shots;
    ChildRun run = runHost({"--shots", shots.path, NOTIFY_SOURCE_DIR "/host/scenarios/default.txt"});
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("scenario played to its end"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("expect 10 lines"), std::string::npos);

    // Every screenshot line: "<path>: <width> x <height>".
    ilInit();
    int pictures = 0;
    for (size_t at = 0; (at = run.output.find(".png: ", at)) != std::string::npos; at++) {
        size_t start = run.output.find_first_not_of(' ', run.output.rfind('\n', at) + 1);
        std::string path = run.output.substr(start, at + 4 - start);
        int w = 0, h = 0;
        ASSERT_EQ(sscanf(run.output.c_str() + at + 6, "%d x %d", &w, &h), 2);
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        EXPECT_TRUE(ilLoadImage(path.c_str())) << path;
        EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), w) << path;
        EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), h) << path;
        ilDeleteImages(1, &image);
        DeleteFileA(path.c_str());
        pictures++;
    }
    // One picture for each screenshot command of the file.
    int commands = 0;
    FILE* scenario = fopen(NOTIFY_SOURCE_DIR "/host/scenarios/default.txt", "r");
    ASSERT_TRUE(scenario);
    char line[1024];
    while (fgets(line, sizeof(line), scenario)) commands += strncmp(line, "screenshot ", 11) == 0;
    fclose(scenario);
    EXPECT_GE(commands, 6);
    EXPECT_EQ(pictures, commands) << run.output;
}

TEST(Scenario, EveryKindOfBadLineIsRefusedWithItsReason) {
    HostApp app;
    std::string why;
    ASSERT_TRUE(app.start(distProgram("notify.dll").c_str(), &why)) << why;
    TempDir shots;
    ScenarioPlayer player(app, shots.path);
    ASSERT_TRUE(player.playLine("net 10 Jabber", 1));
    ASSERT_TRUE(player.playLine("contact 1 10 f Ola", 2));
    const struct {
        std::string line, reason;
    } bad[] = {
        {"wait -5", "wait takes a time"},
        {"contact ola 99 f Ola", "declared network"},
        {"contact ola 10 x Ola", "the gender is"},
        {"status nobody available", "no contact nobody"},
        {"network 10 sleepy", "unknown status \"sleepy\""},
        {"message 1 \xC3\x28", "not Windows-1250"},
        {"net 12 \xE2\x82\xAC\xE2\x98\x83", "Windows-1250"},  // a snowman is not in it
        {"request 48 Hello", "44, 52 or 60"},
        {"request 52 icon=sparkly Hello", "unknown icon"},
        {"screenshot ..\\outside.png", "file name"},
        {"screenshot a.png options", "not open"},
        {"set Zinglet/cfg/delay soon", "takes a number"},
        {"set nothing 1", "no setting nothing"},
        {"click 3", "no row 3"},
        {"expect many lines", "expect takes"},
        {"speaks", "speaks takes"},
        {"skins no-such-folder", "no folder"},
        {std::string(5000, 'x'), "longer than 4000"},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(player.playLine(b.line, 7)) << b.line;
        EXPECT_EQ(player.error.find("(scenario):7: "), 0u) << player.error;
        EXPECT_NE(player.error.find(b.reason), std::string::npos) << b.line << " -> " << player.error;
    }
    EXPECT_TRUE(player.playLine("  # a comment", 8));
    EXPECT_TRUE(player.playLine("", 9));
    app.shutdown();
}

TEST(Scenario, SpeaksHoldsOnlyForTheTextOfTheLastAlert) {
    HostApp app;
    std::string why;
    ASSERT_TRUE(app.start(distProgram("notify.dll").c_str(), &why)) << why;
    TempDir shots;
    ScenarioPlayer player(app, shots.path);
    EXPECT_FALSE(player.playLine("speaks Kopia", 1));
    EXPECT_NE(player.error.find("no alert was heard"), std::string::npos) << player.error;
    ASSERT_TRUE(player.playLine("request 52 time=3 Kopia <b>gotowa<b>\\nna dysku D", 2));
    EXPECT_TRUE(player.playLine("speaks gotowa\\nna dysku", 3));  // the name, then the description
    ASSERT_TRUE(player.playLine("request 52 time=3 Pobrano plik", 3));
    EXPECT_TRUE(player.playLine("speaks Pobrano plik", 4));
    player.failedExpectation = false;
    EXPECT_FALSE(player.playLine("speaks Kopia gotowa", 5));
    EXPECT_TRUE(player.failedExpectation);
    EXPECT_NE(player.error.find("the last alert says \"Pobrano plik\""), std::string::npos) << player.error;
    // A wrong count names every line shown, top first, as read from outside.
    EXPECT_FALSE(player.playLine("expect 2 lines", 6));
    EXPECT_NE(player.error.find("the window shows 3:\n    Kopia gotowa\n    na dysku D\n    Pobrano plik"),
              std::string::npos)
        << player.error;
    app.shutdown();
}
