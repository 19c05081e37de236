#include "shell/help_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vx {
namespace {

TEST(HelpText, KeepsTheUserSectionsWithoutPicturesOrLinksIntoTheReadme) {
    const std::string readme =
        "# Veltranix\n"
        "Intro, see [Spice](#spice).\n"
        "## Two commands\n"
        "build it\n"
        "## Desktop application\n"
        "![The window](docs/main_window.png)\n"
        "Opens [the page](https://example.org/) and [Layout](#layout).\n"
        "```sh\n"
        "## not a heading [x](#y)\n"
        "```\n"
        "### Printing\n"
        "prints\n"
        "## Layout\n"
        "for developers\n"
        "## Update check\n"
        "asks\n";
    EXPECT_EQ(HelpMarkdown(readme),
              "# Veltranix\n"
              "Intro, see Spice.\n"
              "## Desktop application\n"
              "Opens [the page](https://example.org/) and Layout.\n"
              "```sh\n"
              "## not a heading [x](#y)\n"
              "```\n"
              "### Printing\n"
              "prints\n"
              "## Update check\n"
              "asks\n");
}

// A heading renamed in the README would drop its section from the help.
TEST(HelpText, TheShippedReadmeHasEverySectionOfTheHelp) {
    std::ifstream file(VX_SOURCE_DIR "/README.md");
    std::ostringstream readme;
    readme << file.rdbuf();
    const std::string help = HelpMarkdown(readme.str());
    for (const char* section : kHelpSections) {
        EXPECT_NE(help.find(std::string("\n## ") + section + "\n"), std::string::npos) << section;
    }
    EXPECT_EQ(help.find("## Layout"), std::string::npos);
    EXPECT_EQ(help.find("!["), std::string::npos);
    EXPECT_EQ(help.find("](#"), std::string::npos);
}

}  // namespace
}  // namespace vx
