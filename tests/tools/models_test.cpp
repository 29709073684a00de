// prnset models: each model of a driver package's INF and the settings file its printers read.
#include <iterator>

#include "tests/tools/tool_fixture.h"

namespace {

using ModelsTest = ToolTest;

const std::string kMaker = "[Manufacturer]\n%Maker%=Maker,NTamd64\n[Strings]\nMaker=\"Acme\"\n";

// A package of the test's own: the INF in a folder of its own, with files beside it (or in a subfolder). A file
// holds its own name unless it is given a text.
struct PackageFile {
  PackageFile(const char *name, const std::string &text = "") : name(name), text(text.empty() ? name : text) {}
  std::string name, text;
};
struct Package {
  std::string inf;
  std::vector<PackageFile> files;
};

std::string Folder(const std::string &test, size_t index) {
  return "models-" + test + "-" + std::to_string(index) + "/";
}

// Writes the package into a folder of its own; returns the INF's path.
std::string WritePackage(const Package &package, const std::string &folder) {
  for (const PackageFile &file : package.files) testing_machine::WriteTempFile(folder + file.name, file.text);
  return Utf8(testing_machine::WriteTempFile(folder + "package.inf", package.inf));
}

TEST_F(ModelsTest, EachModelGetsTheFileNamedAfterItsNameWithoutTheFirstWord) {
  ToolRun example = RunTool({"models", SourcePath("examples/driver-package/genol300.inf")});
  EXPECT_EQ(example.code, 0) << example.err;
  EXPECT_EQ(example.out, "Generic Office Laser 300: \"Office Laser 300_Settings.Dat\"\n");
  const struct {
    const char *what;
    std::string inf;
    int code;
    std::string out;
  } cases[] = {
      {"two makers' models that differ only in the first word share one file",
       kMaker + "[Maker.NTamd64]\n\"Acme Laser 1\"=A,HWID_A\n\"Beta Laser 1\"=B,HWID_B\n[F]\n\"Laser 1_Settings.Dat\"\n", 0,
       "Acme Laser 1: \"Laser 1_Settings.Dat\" (shared with Beta Laser 1)\n"
       "Beta Laser 1: \"Laser 1_Settings.Dat\" (shared with Acme Laser 1)\n"
       "  only the first word tells it from Acme Laser 1, so the two cannot have different settings files: unless "
       "they are one printer, change this model's name after its first word (for example \"Beta Laser 1B\")\n"},
      {"a model in the undecorated and a decorated list is one model; a %string% names it",
       "[Manufacturer]\n%Maker%=Maker,NTamd64\n[Maker]\n%Model%=A,H\n[Maker.NTamd64]\n\"Acme Box 7\"=A,H ; the same\n"
       "[Strings]\nMaker=\"Acme\"\nModel=\"Acme Box 7\"\n[F]\nCopyFiles=@Box 7_Settings.Dat\n",
       0, "Acme Box 7: \"Box 7_Settings.Dat\"\n"},
      {"a name without a blank is the file's name whole", kMaker + "[Maker.NTamd64]\nLabeller=L,H\n[F]\nLabeller_Settings.Dat\n",
       0, "Labeller: \"Labeller_Settings.Dat\"\n"},
      {"a settings file the INF does not copy",
       kMaker + "[Maker.NTamd64]\n\"Acme Laser 2\"=A,H\n; Laser 2_Settings.Dat\n[F]\nLaser 2_Settings.Dat=1\n", 1,
       "Acme Laser 2: \"Laser 2_Settings.Dat\" - the INF copies no file of that name\n"},
      {"a name too long for a path", kMaker + "[Maker.NTamd64]\n\"Acme " + std::string(300, 'x') + "\"=A,H\n", 1,
       "Acme " + std::string(300, 'x') + ": the model name is too long for a settings file's path\n"},
      {"no [Manufacturer]", "[Version]\nClass=Printer\n", 1, "The INF offers no model: it has no [Manufacturer] section.\n"},
      {"a maker whose models section is missing", kMaker, 1,
       "The INF offers no model: [Manufacturer] names models sections that the INF lacks ([Maker], [Maker.NTamd64]).\n"},
      {"a maker whose models section lists none", kMaker + "[Maker.NTamd64]\n; none yet\n", 1,
       "The INF offers no model: its models sections list no model ([Maker.NTamd64]).\n"},
      // File lists as an installer reads them: a remark after the name, flags after it, @"name" in a directive.
      {"a file list's line with a remark", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[F]\n"
       "\"Laser 3_Settings.Dat\" ; the settings file\n", 0, "Acme Laser 3: \"Laser 3_Settings.Dat\"\n"},
      {"a file list's line with flags", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[F]\n"
       "\"Laser 3_Settings.Dat\",,,0x00000020\n", 0, "Acme Laser 3: \"Laser 3_Settings.Dat\"\n"},
      {"a quoted name in a CopyFiles directive", kMaker + "[Maker.NTamd64]\n\"Acme Laser 3\"=A,H\n[I]\n"
       "CopyFiles=@\"Laser 3_Settings.Dat\"\n", 0, "Acme Laser 3: \"Laser 3_Settings.Dat\"\n"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto &c = cases[i];
    SCOPED_TRACE(c.what);
    // Every settings file of these packages is there, so that only what the INF says counts.
    Package package{c.inf, {"Laser 1_Settings.Dat", "Box 7_Settings.Dat", "Labeller_Settings.Dat",
                            "Laser 2_Settings.Dat", "Laser 3_Settings.Dat"}};
    ToolRun run = RunTool({"models", WritePackage(package, Folder("names", i))});
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(ModelsTest, ReadsAUtf16Inf) {
  std::string text = "\xFF\xFE";
  for (char c : kMaker + "[Maker.NTamd64]\n\"Acme Laser 9\"=A,H\n[F]\n\"Laser 9_Settings.Dat\"\n") text += {c, '\0'};
  ToolRun run = RunTool({"models", WritePackage({text, {"Laser 9_Settings.Dat"}}, Folder("utf16", 0))});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "Acme Laser 9: \"Laser 9_Settings.Dat\"\n");
}

// What a package hides from its author. The package folder: a file must be beside the INF or where
// [SourceDisksNames] and [SourceDisksFiles] put it. Its files: one byte for byte another model's is a copy not yet
// edited. The names: a doubled blank, a control character, a %string% [Strings] lacks, a model one architecture's
// list spells otherwise. The encoding: an INF without a byte order mark reads as the installer's code page has it,
// here 1252; UTF-8 without a mark is read so too. Files named beyond ASCII are left out: under Wine such names
// depend on the system's locale.
TEST_F(ModelsTest, TellsWhatThePackageHides) {
  const char *const five = "Laser 5_Settings.Dat";
  const std::string one = kMaker + "[Maker.NTamd64]\n", code = "[Strings]\nD=\"disk\"\n";
  const std::string two = "[Manufacturer]\n%Maker%=Maker,NTamd64,NTx86\n[Strings]\nMaker=\"Acme\"\n[Maker.NTamd64]\n";
  const std::string laser5 = "\"Acme Laser 5\"=I,H\n[I]\nCopyFiles=@Laser 5_Settings.Dat\n";
  const std::string layout = "[SourceDisksNames]\n1=%Disk%,,,\\data\n[SourceDisksFiles]\n";
  const std::string tickets = one + "\"Acme Ticket 2\"=I,H\n\"Acme Ticket 3\"=I,H\n[F]\nTicket 2_Settings.Dat\n"
                                    "Ticket 3_Settings.Dat\n";
  const std::string tickets23 = "Acme Ticket 2: \"Ticket 2_Settings.Dat\"\nAcme Ticket 3: \"Ticket 3_Settings.Dat\"\n";
  const std::string copies = "[F]\n\"Laser 6_Settings.Dat\"\n\"Laser 7_Settings.Dat\"\n";
  const std::string out5 = "Acme Laser 5: \"Laser 5_Settings.Dat\"";
  const std::string notCopied = " - the INF copies no file of that name\n";
  const std::string lacks = " - the package lacks the file: it is not beside the INF\n";
  const std::string spelt =
      ", which differs only in blanks, punctuation or letter case: spell the model alike in every list\n";
  const std::string ansi = "The INF is ANSI with bytes beyond ASCII (the first on line 8), which an installer reads in "
                           "its system's code page: read here in code page 1252, they can read otherwise there.";
  const std::string names = " Model names beyond ASCII, and their settings files' names, then differ from system to "
                            "system. Save the INF as UTF-16 with a byte order mark.\n";
  const struct {
    const char *what;
    std::string inf;
    std::vector<PackageFile> files;
    int code;
    std::string out;
  } cases[] = {
      {"beside an INF without a layout", one + laser5, {five}, 0, out5 + "\n"},
      {"missing", one + laser5, {}, 1, out5 + lacks},
      {"in the disk's folder and the line's subfolder",
       one + laser5 + layout + "Laser 5_Settings.Dat=1,dat\n",
       {"data/dat/Laser 5_Settings.Dat"},
       0,
       out5 + "\n"},
      {"missing from the layout's folder",
       one + laser5 + layout + "\"Laser 5_Settings.Dat\"=1,dat\n",
       {},
       1,
       out5 + " - the package lacks the file: it is neither beside the INF nor in data\\dat\n"},
      {"an architecture's layout, spelt in other letter case",
       one + laser5 + "[SourceDisksNames.amd64]\n1=%Disk%\n[SourceDisksFiles.amd64]\nlaser 5_settings.dat=1\n",
       {"laser 5_settings.dat"},
       0,
       out5 + "\n"},
      // An undecorated line is read by every architecture's installer, with its own disks.
      {"in the folder of architectures' disks",
       one + laser5 +
           "[SourceDisksNames.amd64]\n1=%Disk%,,,\\data\n[SourceDisksNames.x86]\n1=%Disk%,,,\\data\n"
           "[SourceDisksFiles]\nLaser 5_Settings.Dat=1\n",
       {"data/Laser 5_Settings.Dat"},
       0,
       out5 + "\n"},
      // A copy that renames the file takes it from the package under the name the line gives second.
      {"copied under another name",
       one + "\"Acme Laser 5\"=I,H\n[I]\nCopyFiles=F\n[F]\n\"Laser 5_Settings.Dat\",L5.DAT\n" + layout + "L5.DAT=1\n",
       {"data/L5.DAT"},
       0,
       out5 + "\n"},
      {"copied under another name the package lacks",
       one + "\"Acme Laser 5\"=I,H\n[I]\nCopyFiles=F\n[F]\n\"Laser 5_Settings.Dat\",L5.DAT\n",
       {five},
       1,
       out5 + " - the package lacks the file (L5.DAT): it is not beside the INF\n"},
      {"a model name no file's name can hold",
       one + "\"Acme Laser 5/6\"=I,H\n[F]\n\"Laser 5/6_Settings.Dat\"\n",
       {},
       1,
       "Acme Laser 5/6: \"Laser 5/6_Settings.Dat\" - the name holds \"/\", which a file's name cannot hold (Windows "
       "takes \\ and / for a folder's end): the printers of this model find no settings file an installer copies; "
       "rename the model\n"},
      {"left out of [SourceDisksFiles]",
       one + laser5 + layout + "Laser 4_Settings.Dat=1\n",
       {five},
       1,
       out5 + " - [SourceDisksFiles] does not list it, so an installer finds no source for it\n"},
      {"a copy of another model's file",
       tickets,
       {{"Ticket 2_Settings.Dat", "[S]"}, {"Ticket 3_Settings.Dat", "[S]"}},
       0,
       tickets23 + "  identical to the file of Acme Ticket 2: a copy not yet edited gives this model's page that "
                   "model's items, limits and commands\n"},
      {"a file one byte longer",
       tickets,
       {{"Ticket 2_Settings.Dat", "[S]"}, {"Ticket 3_Settings.Dat", "[S] "}},
       0,
       tickets23},
      {"two blanks after the first word",
       one + "\"Acme  Laser 6\"=I,H\n" + copies,
       {},
       1,
       "Acme  Laser 6: \" Laser 6_Settings.Dat\"" + notCopied +
           "  the model name has two blanks after its first word, so the file's name begins with a blank\n"},
      {"a tab in the name",
       one + "\"Acme Laser\t6\"=I,H\n" + copies,
       {},
       1,
       "Acme Laser\\t6: \"Laser\\t6_Settings.Dat\"" + notCopied},
      {"a %string% that [Strings] lacks",
       one + "%Model6%=I,H\n" + copies,
       {},
       1,
       "%Model6%: [Strings] has no Model6, so the model has no name of its own\n"},
      {"one list spells the model without a blank",
       two + "\"Acme Laser 6\"=I,H\n[Maker.NTx86]\n\"Acme Laser6\"=I,H\n" + copies,
       {"Laser 6_Settings.Dat"},
       1,
       "Acme Laser 6: \"Laser 6_Settings.Dat\"\nAcme Laser6: \"Laser6_Settings.Dat\"" + notCopied +
           "  only [Maker.NTx86] lists this model, and [Maker.NTamd64] lists \"Acme Laser 6\"" + spelt},
      {"the later list has the right spelling",
       two + "\"Acme Laser_6\"=I,H\n[Maker.NTx86]\n\"Acme Laser 6\"=I,H\n" + copies,
       {"Laser 6_Settings.Dat"},
       1,
       "Acme Laser_6: \"Laser_6_Settings.Dat\"" + notCopied + "  only [Maker.NTamd64] lists this model, and " +
           "[Maker.NTx86] lists \"Acme Laser 6\"" + spelt + "Acme Laser 6: \"Laser 6_Settings.Dat\"\n"},
      {"two models, each in one list, differ in more than blanks",
       two + "\"Acme Laser 6\"=I,H\n[Maker.NTx86]\n\"Acme Laser 7\"=I,H\n" + copies,
       {"Laser 6_Settings.Dat", "Laser 7_Settings.Dat"},
       0,
       "Acme Laser 6: \"Laser 6_Settings.Dat\"\nAcme Laser 7: \"Laser 7_Settings.Dat\"\n"},
      {"ANSI with a model name in code page 936",
       code + one +
           "\"\xC5\xB5\xCD\xDF \xC6\xB1\xBE\xDD\xBB\xFA 5\"=I,H\n[F]\n"
           "\"\xC6\xB1\xBE\xDD\xBB\xFA 5_Settings.Dat\"\n",
       {},
       1,
       ansi + names + "ÅµÍß Æ±¾Ý»ú 5: \"Æ±¾Ý»ú 5_Settings.Dat\"" + lacks},
      {"ANSI beyond ASCII in another string only",
       Edit(code, "disk", "Caf\xE9") + one + laser5,
       {five},
       0,
       Edit(ansi, "line 8", "line 2") + " Save the INF as UTF-16 with a byte order mark.\n" + out5 + "\n"},
      {"UTF-8 without a mark",
       code + one + "\"Acme Café 5\"=I,H\n[F]\n\"Café 5_Settings.Dat\"\n",
       {},
       1,
       "The INF is UTF-8 without a byte order mark (its first character beyond ASCII on line 8), which risks an "
       "installer reading it as ANSI, in its system's code page: read so here, in code page 1252, its characters "
       "beyond ASCII are garbled." +
           names + "Acme CafÃ© 5: \"CafÃ© 5_Settings.Dat\"" + lacks},
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF" + code + one + "\"Acme Café 5\"=I,H\n[F]\n\"Café 5_Settings.Dat\"\n",
       {},
       1,
       "Acme Café 5: \"Café 5_Settings.Dat\"" + lacks},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    ToolRun run = RunTool({"models", WritePackage({cases[i].inf, cases[i].files}, Folder("hides", i))});
    EXPECT_EQ(run.code, cases[i].code) << run.err;
    EXPECT_EQ(run.out, cases[i].out);
  }
  // Read from standard input, the INF has no folder to look into: that is said, not taken for a missing file.
  ToolRun piped = RunToolWith({"models", "-"}, one + laser5);
  EXPECT_EQ(piped.code, 0) << piped.err;
  EXPECT_EQ(piped.out, out5 + "\nThe package's files were not looked for: the INF was not read from its folder.\n");
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
