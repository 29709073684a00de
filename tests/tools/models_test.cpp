// prnset models: each model of a driver package's INF and the settings file its printers read.
#include "tests/tools/tool_fixture.h"

namespace {

using ModelsTest = ToolTest;

const std::string kMaker = "[Manufacturer]\n%Maker%=Maker,NTamd64\n[Strings]\nMaker=\"Acme\"\n";

TEST_F(ModelsTest, EachModelGetsTheFileNamedAfterItsNameWithoutTheFirstWord) {
  const struct {
    const char *what;
    std::string inf;
    int code;
    std::string out;
  } cases[] = {
      {"the example package", ReadSourceFile("examples/driver-package/genol300.inf"), 0,
       "Generic Office Laser 300: Office Laser 300_Settings.Dat\n"},
      {"two makers' models that differ only in the first word share one file",
       kMaker + "[Maker.NTamd64]\n\"Acme Laser 1\"=A,HWID_A\n\"Beta Laser 1\"=B,HWID_B\n[F]\n\"Laser 1_Settings.Dat\"\n", 0,
       "Acme Laser 1: Laser 1_Settings.Dat (shared with Beta Laser 1)\n"
       "Beta Laser 1: Laser 1_Settings.Dat (shared with Acme Laser 1)\n"},
      {"a model in the undecorated and a decorated list is one model; a %string% names it",
       "[Manufacturer]\n%Maker%=Maker,NTamd64\n[Maker]\n%Model%=A,H\n[Maker.NTamd64]\n\"Acme Box 7\"=A,H ; the same\n"
       "[Strings]\nMaker=\"Acme\"\nModel=\"Acme Box 7\"\n[F]\nCopyFiles=@Box 7_Settings.Dat\n",
       0, "Acme Box 7: Box 7_Settings.Dat\n"},
      {"a name without a blank is the file's name whole", kMaker + "[Maker.NTamd64]\nLabeller=L,H\n[F]\nLabeller_Settings.Dat\n",
       0, "Labeller: Labeller_Settings.Dat\n"},
      {"a settings file the INF does not copy",
       kMaker + "[Maker.NTamd64]\n\"Acme Laser 2\"=A,H\n; Laser 2_Settings.Dat\n[F]\nLaser 2_Settings.Dat=1\n", 1,
       "Acme Laser 2: Laser 2_Settings.Dat - the INF copies no file of that name\n"},
      {"a name too long for a path", kMaker + "[Maker.NTamd64]\n\"Acme " + std::string(300, 'x') + "\"=A,H\n", 1,
       "Acme " + std::string(300, 'x') + ": the model name is too long for a settings file's path\n"},
      {"no [Manufacturer]", "[Version]\nClass=Printer\n", 1, "The INF offers no model: it has no [Manufacturer] section.\n"},
      {"a maker whose models section is missing", kMaker, 1,
       "The INF offers no model: [Manufacturer] names models sections that the INF lacks ([Maker], [Maker.NTamd64]).\n"},
      {"a maker whose models section lists none", kMaker + "[Maker.NTamd64]\n; none yet\n", 1,
       "The INF offers no model: its models sections list no model ([Maker.NTamd64]).\n"},
      // File lists as an installer reads them: a remark after the name, flags after it, @"name" in a directive.
      {"a file list's line with a remark", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[F]\n"
       "\"Laser 3_Settings.Dat\" ; the settings file\n", 0, "Acme Laser 3: Laser 3_Settings.Dat\n"},
      {"a file list's line with flags", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[F]\n"
       "\"Laser 3_Settings.Dat\",,,0x00000020\n", 0, "Acme Laser 3: Laser 3_Settings.Dat\n"},
      {"a quoted name in a CopyFiles directive", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[I]\n"
       "CopyFiles=@\"Laser 3_Settings.Dat\"\n", 0, "Acme Laser 3: Laser 3_Settings.Dat\n"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    ToolRun run = RunTool({"models", File(c.inf, "package.inf")});
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(ModelsTest, ReadsAUtf16Inf) {
  std::string text = "\xFF\xFE";
  for (char c : kMaker + "[Maker.NTamd64]\n\"Acme Laser 9\"=A,H\n[F]\n\"Laser 9_Settings.Dat\"\n") text += {c, '\0'};
  ToolRun run = RunTool({"models", File(text, "utf16.inf")});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "Acme Laser 9: Laser 9_Settings.Dat\n");
}

TEST_F(ModelsTest, IsListedInHelpAndRefusesAWrongCommandLine) {
  EXPECT_NE(RunTool({"help"}).out.find("prnset models INF"), std::string::npos);
  ToolRun help = RunTool({"models", "--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("settings file its printers read"), std::string::npos);
  std::string inf = File(kMaker, "package.inf");
  for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
           {"models"}, {"models", inf, inf}, {"models", inf, "--lang", "de"}, {"models", inf + ".missing"}}) {
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 2) << args.size();
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
