// The file helpers and the WAV header reader, on real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/file_helpers.h"
#include "files/wav_header.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace revalorn {
namespace {

using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::ReadTextFile;
using testing::TempDir;
using testing::WriteTextFile;

TEST(FileExists, FilesAndFoldersExistButNotWithATrailingSeparator) {
  TempDir dir;
  WriteTextFile(dir.path() / "sound.dat", "x");
  EXPECT_TRUE(FileExists(dir.str()));
  EXPECT_FALSE(FileExists(dir.str() + "/"));
  EXPECT_TRUE(FileExists(dir.Sub("sound.dat")));
  EXPECT_FALSE(FileExists(dir.Sub("missing.dat")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.Sub("sound.dat") + "/"));
}

TEST(JoinPath, AddsOneSeparator) {
  EXPECT_EQ(JoinPath("/games/gpl", "sound"), "/games/gpl/sound");
  EXPECT_EQ(JoinPath("/", "MyPicture.tmp"), "/MyPicture.tmp");
  EXPECT_EQ(JoinPath("", "x"), "/x");
}

TEST(LoadFileBytes, LoadsTheWholeFileAnEmptyOneChangesNothingAndAFailureIsAnError) {
  TempDir dir;
  testing::WriteBinaryFile(dir.path() / "three", {0x00, 0xff, 0x7f});
  WriteTextFile(dir.path() / "empty", "");
  ByteBuffer bytes(100, 0xAA);
  EXPECT_EQ(LoadFileBytes(bytes, dir.Sub("three")), 3);
  EXPECT_EQ(bytes, (ByteBuffer{0x00, 0xff, 0x7f}));
  EXPECT_EQ(LoadFileBytes(bytes, dir.Sub("empty")), 0);
  EXPECT_THROW(LoadFileBytes(bytes, dir.Sub("missing")), FileError);
  EXPECT_THROW(LoadFileBytes(bytes, dir.str()), FileError) << "a folder is not a file";
  EXPECT_EQ(bytes, (ByteBuffer{0x00, 0xff, 0x7f}));
}

TEST(LoadFileBytes, AFileTooLargeForTheLengthIsRefusedNotTruncated) {
  TempDir dir;
  const fs::path big = dir.path() / "big";
  WriteTextFile(big, "");
  std::error_code ec;
  fs::resize_file(big, (std::uintmax_t{1} << 31) + 10, ec);  // sparse: takes no disk space
  if (ec) GTEST_SKIP() << "cannot make a sparse 2 GB file here: " << ec.message();
  ByteBuffer bytes{9};
  try {
    LoadFileBytes(bytes, FromPath(big));
    FAIL() << "expected a FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.code(), std::make_error_code(std::errc::file_too_large));
  }
  EXPECT_EQ(bytes, ByteBuffer{9});
}

TEST(WorkingCopy, IsTheFilePlusTmpReplacingAReadOnlyLeftoverAndIsDeletedAfterwards) {
  TempDir dir;
  WriteTextFile(dir.path() / "gpl.exe", "original");
  WriteTextFile(dir.path() / "gpl.exe.tmp", "stale leftover");
  fs::permissions(dir.path() / "gpl.exe.tmp", fs::perms::owner_read);
  {
    WorkingCopy copy(dir.Sub("gpl.exe"));
    EXPECT_EQ(copy.Path(), dir.Sub("gpl.exe.tmp"));
    EXPECT_EQ(ReadTextFile(copy.Path()), "original");
  }
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"gpl.exe"});
  EXPECT_THROW(WorkingCopy(dir.Sub("missing.exe")), FileError);
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"gpl.exe"});
}

TEST(WorkingCopy, ReplaceOriginalSwapsTheFileWholeAndLeavesNoCopy) {
  TempDir dir;
  WriteTextFile(dir.path() / "gpl.exe", "before");
  {
    WorkingCopy copy(dir.Sub("gpl.exe"));
    WriteTextFile(copy.Path(), "after");
    copy.ReplaceOriginal();
  }
  EXPECT_EQ(ReadTextFile(dir.path() / "gpl.exe"), "after");
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"gpl.exe"});
}

TEST(WriteFileAtomically, ReplacesTheContentAndKeepsThePermissions) {
  TempDir dir;
  const fs::path target = dir.path() / "repco.wav";
  WriteTextFile(target, "old content that is longer");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteFileAtomically(FromPath(target), ByteBuffer{'n', 'e', 'w'});
  EXPECT_EQ(ReadTextFile(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"repco.wav"});
  EXPECT_THROW(WriteFileAtomically(dir.Sub("no/such/folder/file"), ByteBuffer{1}), FileError);
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"repco.wav"});
}

TEST(WriteFileAtomically, AnInterruptedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const fs::path target = dir.path() / "f2.wav";
  WriteTextFile(target, "the player's own sound");
  {
    testing::FileSizeLimit fullDisk(8);
    EXPECT_THROW(WriteFileAtomically(FromPath(target), ByteBuffer(100000, 0x55)), FileError);
  }
  EXPECT_EQ(ReadTextFile(target), "the player's own sound");
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"f2.wav"});
}

TEST(CopyFileAtomically, CopiesEveryByteIncludingAnEmptyFile) {
  TempDir dir;
  testing::WriteBinaryFile(dir.path() / "a", {0, 1, 2, 0});
  WriteTextFile(dir.path() / "empty", "");
  WriteTextFile(dir.path() / "b", "to be replaced");
  CopyFileAtomically(dir.Sub("a"), dir.Sub("b"));
  EXPECT_EQ(ReadBinaryFile(dir.path() / "b"), (std::vector<std::uint8_t>{0, 1, 2, 0}));
  CopyFileAtomically(dir.Sub("empty"), dir.Sub("b"));
  EXPECT_EQ(ReadTextFile(dir.path() / "b"), "");
  EXPECT_THROW(CopyFileAtomically(dir.Sub("missing"), dir.Sub("b")), FileError);
}

TEST(FindEntryIgnoringCase, FindsAnEntryTheWayWindowsWould) {
  TempDir dir;
  for (const char* name : {"Repco.wav", "cosworth.wav", "COSWORTH.WAV", "FERRARI.wav", "Ferrari.WAV"}) {
    WriteTextFile(dir.path() / name, name);
  }
  EXPECT_EQ(FindEntryIgnoringCase(dir.str(), "repco.wav"), dir.Sub("Repco.wav"));
  EXPECT_EQ(FindEntryIgnoringCase(dir.str(), "cosworth.wav"), dir.Sub("cosworth.wav")) << "exact name first";
  EXPECT_EQ(FindEntryIgnoringCase(dir.str(), "ferrari.wav"), dir.Sub("FERRARI.wav")) << "first in byte order";
  EXPECT_EQ(FindEntryIgnoringCase(dir.str(), "weslake.wav"), dir.Sub("weslake.wav")) << "missing: as given";
  EXPECT_EQ(FindEntryIgnoringCase(dir.Sub("nowhere"), "x.wav"), JoinPath(dir.Sub("nowhere"), "x.wav"));

  EXPECT_TRUE(EqualsIgnoringAsciiCase("GEMPic.jpg", "gempic.JPG"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("a", "ab"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\x89", "\xC3\xA9"));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
  const std::string folder = ProgramFolderOfExecutable();
  EXPECT_TRUE(fs::exists(ToPath(folder) / "revalorn_files_tests"));
}

using Bytes = std::vector<std::uint8_t>;
using fixtures::FmtBody;
using fixtures::RiffWave;

TEST(WavLayout, CanonicalFileHasItsRateAtOffset24) {
  const Bytes wav = fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(440, 22050, 100));
  const auto layout = ParseWavLayout(wav);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_EQ(layout->format->sampleRate, 22050u);
  EXPECT_EQ(layout->format->sampleFormat, kWaveFormatPcm);
  EXPECT_EQ(layout->dataOffset, 44u);
  EXPECT_EQ(layout->dataSize, 200u);
  EXPECT_FALSE(layout->dataTruncated);
  EXPECT_TRUE(IsUsablePcmWav(wav));
}

TEST(WavLayout, FmtNeedNotComeFirstOddChunksArePaddedAndExtensibleHasASubFormat) {
  const Bytes wav = RiffWave({{"LIST", Bytes(7, 'x')}, {"data", Bytes(6, 0)}, {"fmt ", FmtBody(1, 2, 44100, 16)}});
  const auto layout = ParseWavLayout(wav);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_EQ(layout->format->sampleRate, 44100u);
  EXPECT_EQ(layout->format->channels, 2);
  EXPECT_TRUE(layout->hasData);
  EXPECT_EQ(layout->dataOffset, 12u + 8u + 8u + 8u);  // LIST padded to 8 bytes
  EXPECT_TRUE(IsUsablePcmWav(wav));

  const auto pcm = ParseWavLayout(RiffWave({{"fmt ", fixtures::ExtensibleFmtBody(1, 2, 48000, 24, 20)}, {"data", Bytes(12, 0)}}));
  ASSERT_TRUE(pcm && pcm->format);
  EXPECT_EQ(pcm->format->sampleFormat, kWaveFormatPcm);
  EXPECT_EQ(pcm->format->validBitsPerSample, 20);
  const Bytes floatWav = RiffWave({{"fmt ", fixtures::ExtensibleFmtBody(3, 2, 48000, 32, 32)}, {"data", Bytes(16, 0)}});
  EXPECT_EQ(ParseWavLayout(floatWav)->format->sampleFormat, kWaveFormatIeeeFloat);
  EXPECT_FALSE(IsUsablePcmWav(floatWav)) << "a replacement must be PCM";
}

TEST(WavLayout, DamagedFilesAreReportedNotOverread) {
  EXPECT_FALSE(ParseWavLayout(Bytes{'R', 'I', 'F', 'F'}));
  EXPECT_FALSE(ParseWavLayout(Bytes(44, 0)));
  const std::string text = "This is a text file, not a sound.";
  EXPECT_FALSE(IsUsablePcmWav(Bytes(text.begin(), text.end())));

  // A data chunk that claims more bytes than the file holds.
  Bytes truncated = RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}, {"data", Bytes(10, 0)}});
  truncated.resize(truncated.size() - 4);
  const auto layout = ParseWavLayout(truncated);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_TRUE(layout->dataTruncated);

  // A fmt chunk shorter than 16 bytes, and one cut off by the end of the file.
  EXPECT_FALSE(ParseWavLayout(RiffWave({{"fmt ", Bytes(14, 1)}}))->format);
  Bytes cut = RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}});
  cut.resize(cut.size() - 6);
  EXPECT_FALSE(ParseWavLayout(cut)->format);

  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(1, 1, 0, 16)}, {"data", Bytes(2, 0)}}))) << "rate 0";
  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(1, 0, 22050, 16)}, {"data", Bytes(2, 0)}}))) << "no channels";
  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(2, 1, 22050, 4)}, {"data", Bytes(2, 0)}}))) << "ADPCM";
}

TEST(ReadWavSampleRate, ReadsTheFmtChunkOfAFile) {
  testing::TempDir dir;
  testing::WriteBinaryFile(dir.path() / "canonical.wav", fixtures::MakeWav({11025, 1, 8}, fixtures::Tone(100, 11025, 10)));
  // The rate is not at offset 24 here: a chunk comes before "fmt ".
  testing::WriteBinaryFile(dir.path() / "listfirst.wav",
                           RiffWave({{"LIST", Bytes(4, 'x')}, {"fmt ", FmtBody(1, 1, 44100, 16)}, {"data", Bytes(2, 0)}}));
  testing::WriteTextFile(dir.path() / "notes.wav", "not a sound");
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("canonical.wav")), 11025);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("listfirst.wav")), 44100);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("notes.wav")), 0);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("missing.wav")), 0);
}

}  // namespace
}  // namespace revalorn
