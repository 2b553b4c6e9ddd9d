// Hostile input and faults, handed to the built `dravick` as a user would: folders where
// files belong, numbers past every range, headers claiming gigapixels, corrupt data,
// outputs naming inputs, a full disk, a tight memory limit and interrupts. Each case
// checks the exit status, the messages, the files left in the folder and the peak memory
// of the run (reported for every case; a failure only past four times the bound, so a
// busy machine never fails the suite).
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "picture_writer.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr long kPeakBoundKib = 512 * 1024;  // what any run on a few kilobytes may use

// ---- inputs, each made here from a few bytes ----

void PutBe32(Bytes& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PngChunk(Bytes& png, const char* type, const Bytes& data) {
  PutBe32(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBe32(png, static_cast<std::uint32_t>(
                   crc32(0, png.data() + type_at, static_cast<uInt>(png.size() - type_at))));
}

// An RGB PNG whose header claims width x height over a few bytes of image data.
Bytes PngClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBe32(header, width);
  PutBe32(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});
  PngChunk(png, "IHDR", header);
  Bytes raw(64, 0);
  Bytes packed(128);
  uLongf packed_size = packed.size();
  compress(packed.data(), &packed_size, raw.data(), raw.size());
  packed.resize(packed_size);
  PngChunk(png, "IDAT", packed);
  PngChunk(png, "IEND", {});
  return png;
}

Bytes SmallPng() {
  Bytes samples(16 * 16 * 3);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::uint8_t>(i * 7);
  return tools::EncodePng({16, 16, 2, 8, samples, {}});
}

// The PNG with one byte flipped: in the IHDR checksum, or in the image data.
Bytes PngWithBadChecksum(bool in_image_data) {
  Bytes png = SmallPng();
  if (!in_image_data) {
    png[29] ^= 0x01;  // the IHDR CRC follows its 13 data bytes
    return png;
  }
  const auto idat = std::search(png.begin(), png.end(), std::begin("IDAT"), std::end("IDAT") - 1);
  idat[8] ^= 0x01;
  return png;
}

Bytes NoisyJpeg(int size) {
  Bytes samples(static_cast<std::size_t>(size) * size * 3);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
  return tools::EncodeJpeg(size, size, samples, false, false);
}

// A small JPEG whose frame header claims width x height: its scan data ends long before.
Bytes JpegClaiming(std::uint16_t width, std::uint16_t height) {
  Bytes jpeg = NoisyJpeg(16);
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<std::uint8_t>(height);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<std::uint8_t>(width);
      break;
    }
  }
  return jpeg;
}

Bytes Cut(Bytes bytes, std::size_t length) {
  bytes.resize(std::min(length, bytes.size()));
  return bytes;
}

// A GIF of a `width` x `height` screen holding `frames` frames of 1 x 1 pixel.
Bytes GifOfTinyFrames(std::uint16_t width, std::uint16_t height, int frames) {
  Bytes gif{'G', 'I', 'F', '8', '9', 'a'};
  gif.insert(gif.end(), {std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height),
                         std::uint8_t(height >> 8), 0x80, 0, 0});
  gif.insert(gif.end(), {0, 0, 0, 255, 255, 255});  // two colours
  for (int i = 0; i < frames; ++i) {
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0});
    gif.insert(gif.end(), {2, 2, 0x44, 0x01, 0});  // clear, index 0, end
  }
  gif.push_back(0x3B);
  return gif;
}

// 44-byte mono 8-bit WAV header followed by `samples` bytes.
Bytes Wav(std::size_t samples) {
  Bytes wav(44 + samples, 0x80);
  auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      wav[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  auto text = [&](std::size_t at, const char* four) {
    for (int i = 0; i < 4; ++i)
      wav[at + i] = static_cast<std::uint8_t>(four[i]);
  };
  text(0, "RIFF");
  put(4, static_cast<std::uint32_t>(36 + samples), 4);
  text(8, "WAVE");
  text(12, "fmt ");
  put(16, 16, 4);
  put(20, 1, 2);  // PCM
  put(22, 1, 2);  // mono
  put(24, 8000, 4);
  put(28, 8000, 4);
  put(32, 1, 2);
  put(34, 8, 2);
  text(36, "data");
  put(40, static_cast<std::uint32_t>(samples), 4);
  return wav;
}

std::string ProjectText() {
  return "[INFO]\nPCVersion:16\nCOMPort:SPI\nBaudrate:115200\nPCBVersion:21\nMCUBit:16\n"
         "MCUType:STM\nMrlType:MX-3\nMrlIF:8080-16\nXSIZE:800\nYSIZE:480\nVBPD:23\nVFPD:22\n"
         "VSPW:3\nHBPD:46\nHFPD:210\nHSPW:20\nPCLKRISING:1\nHSYNCPolarity:0\nVSYNCPolarity:0\n"
         "DEPolarity:1\nRGBSequence:BGR\nColorDepth:24\nFlashType:NOR\nFlashSize:16\n"
         "[USERCMD]\n";
}

// A bin folder with a 4096-byte picture resource and its list of one entry.
void PictureBins(tools::TempFolder& folder, const std::string& entry) {
  folder.Write("p.ini", ProjectText());
  folder.Write("bins/Picture-a.bin", Bytes(4096, 0x11));
  folder.Write("bins/Picture-a-Addr.txt", entry + "\r\n");
}

void MakeFifo(tools::TempFolder& folder, const std::string& name) {
  ::mkfifo(folder.File(name).c_str(), 0600);
}

// ---- running dravick ----

struct Limits {
  std::uint64_t address_space = 0;  // RLIMIT_AS, 0 for none
  std::uint64_t file_size = 0;      // RLIMIT_FSIZE, 0 for none: stands in for a full disk
};

struct Outcome {
  int status = -1;  // the exit status, or 128 + the signal that killed it
  std::string out;
  std::string err;
  long peak_kib = 0;
  double seconds = 0;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs dravick in `folder`; `meanwhile` runs in the parent while the child is alive.
Outcome RunDravick(const tools::TempFolder& folder, const std::vector<std::string>& args,
                   const Limits& limits = {}, const std::function<void(pid_t)>& meanwhile = {}) {
  const std::string out_path = folder.File(".stdout"), err_path = folder.File(".stderr");
  const auto started = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(folder.Path().c_str()) != 0)
      ::_exit(120);
    const int out = ::open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (limits.address_space) {
      const rlimit limit{limits.address_space, limits.address_space};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    if (limits.file_size) {
      const rlimit limit{limits.file_size, limits.file_size};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(DRAVICK_PATH)};
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(DRAVICK_PATH, argv.data());
    ::_exit(121);
  }
  if (meanwhile)
    meanwhile(child);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  Outcome outcome;
  outcome.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  outcome.peak_kib = usage.ru_maxrss;
  outcome.out = ReadText(out_path);
  outcome.err = ReadText(err_path);
  fs::remove(out_path);
  fs::remove(err_path);
  return outcome;
}

// Every name in the folder, folders with a trailing "/", at any depth.
std::vector<std::string> Left(const tools::TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) {
    std::string name = entry.path().lexically_relative(folder.Path()).string();
    names.push_back(entry.is_directory() ? name + "/" : name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += (text.empty() ? "" : " ") + name;
  return text;
}

// One row of the table the suite prints: case, status, messages, peak memory, time, files.
void Report(const std::string& name, const Outcome& outcome, const std::vector<std::string>& left) {
  std::string messages;
  std::size_t start = 0;
  while (start < outcome.err.size()) {
    const std::size_t end = std::min(outcome.err.find('\n', start), outcome.err.size());
    const std::string line = outcome.err.substr(start, end - start);
    if (!line.empty() && line != "Start to convert, please wait...")
      messages += (messages.empty() ? "" : " / ") + line;
    start = end + 1;
  }
  std::printf("| %s | %d | %s | %.1f MiB | %.2f s | %s |\n", name.c_str(), outcome.status,
              messages.c_str(), outcome.peak_kib / 1024.0, outcome.seconds, Joined(left).c_str());
}

struct Case {
  std::string name;
  std::function<void(tools::TempFolder&)> make;
  std::vector<std::string> args;
  int status;
  std::vector<std::string> messages;  // each must appear in standard error
  std::vector<std::string> left;      // every name in the folder afterwards
  Limits limits;
};

// Under AddressSanitizer the address space is reserved for its shadow memory, so a limit
// on it cannot be tried there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimits = false;
#else
constexpr bool kAddressSpaceLimits = true;
#endif

void Check(const Case& c) {
  SCOPED_TRACE(c.name);
  if (c.limits.address_space && !kAddressSpaceLimits)
    return;
  tools::TempFolder folder;
  c.make(folder);
  const Outcome outcome = RunDravick(folder, c.args, c.limits);
  const std::vector<std::string> left = Left(folder);
  Report(c.name, outcome, left);
  EXPECT_EQ(outcome.status, c.status) << outcome.err;
  for (const std::string& message : c.messages)
    EXPECT_NE(outcome.err.find(message), std::string::npos) << "no \"" << message << "\" in\n"
                                                            << outcome.err;
  // No library speaks for itself, and nothing aborts.
  EXPECT_EQ(outcome.err.find("qt."), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.err.find("QBuffer"), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.err.find("terminate called"), std::string::npos) << outcome.err;
  std::vector<std::string> expected = c.left;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Joined(left), Joined(expected));
  EXPECT_LT(outcome.peak_kib, 4 * kPeakBoundKib);
}

auto Files(std::vector<std::pair<std::string, Bytes>> files) {
  return [files](tools::TempFolder& folder) {
    for (const auto& [name, bytes] : files)
      folder.Write(name, bytes);
  };
}

auto Folders(std::vector<std::string> folders) {
  return [folders](tools::TempFolder& folder) {
    for (const std::string& name : folders)
      fs::create_directories(folder.File(name));
  };
}

TEST(HostileInput, FoldersAndOtherFilesWhereAFileBelongs) {
  const std::vector<Case> cases = {
      {"wav of a folder",
       Folders({"DIR"}),
       {"wav", "-o", "o", "DIR"},
       1,
       {"打开文件失败!", "DIR: is a folder, not a file"},
       {"DIR/"}},
      {"inspect a folder",
       Folders({"DIR"}),
       {"inspect", "DIR"},
       1,
       {"Can't open DIR", "DIR: is a folder, not a file"},
       {"DIR/"}},
      {"cursor --hex a folder",
       Folders({"DIR"}),
       {"cursor", "--hex", "DIR", "-o", "c"},
       1,
       {"Fail to Open the file", "DIR: is a folder"},
       {"DIR/"}},
      {"font string --text a folder",
       Folders({"DIR"}),
       {"font", "string", "--text", "DIR", "-o", "f"},
       1,
       {"Cannot open file \"DIR\".", "DIR: is a folder"},
       {"DIR/"}},
      {"build --project a folder",
       Folders({"DIR", "bins"}),
       {"build", "--project", "DIR", "--bins", "bins", "-o", "x"},
       1,
       {"Open fail!", "DIR: is a folder"},
       {"DIR/", "bins/"}},
      {"a folder named x.png among the pictures",
       Folders({"pics/x.png"}),
       {"picture", "-o", "out", "pics"},
       1,
       {"Fail to convert pics/x.png", "pics/x.png: is a folder, not a file"},
       {"pics/", "pics/x.png/"}},
      {"a folder named Wav-a.bin given as a resource",
       [](tools::TempFolder& folder) {
         PictureBins(folder, "{32, 64, 0x0, 0x1000},//a.png");
         fs::create_directories(folder.File("bins/Wav-a.bin"));
       },
       {"build", "--project", "p.ini", "--bins", "bins", "-o", "f", "Picture-a.bin", "Wav-a.bin"},
       1,
       {"bins/Wav-a.bin: is a folder"},
       {"p.ini", "bins/", "bins/Picture-a.bin", "bins/Picture-a-Addr.txt", "bins/Wav-a.bin/"}},
      {"a FIFO as a picture",
       [](tools::TempFolder& folder) { MakeFifo(folder, "p.png"); },
       {"picture", "-o", "out", "p.png"},
       1,
       {"Fail to convert p.png", "p.png: is not a regular file"},
       {"p.png"}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, NumbersPastEveryRange) {
  const std::vector<Case> cases = {
      {"combine START past 64 bits",
       Files({{"a.bin", Bytes(100, 1)}}),
       {"combine", "-o", "c", "a.bin", "a.bin@99999999999999999999"},
       1,
       {"Start Address of File 2: '99999999999999999999' is not a valid integer value"},
       {"a.bin"}},
      {"combine File 1 at a huge 0",
       Files({{"a.bin", Bytes(100, 1)}}),
       {"combine", "-o", "c", "a.bin@000000000000000000000"},
       0,
       {},
       {"a.bin", "c.bin", "c-Addr.txt"}},
      {"combine File 1 at a huge start",
       Files({{"a.bin", Bytes(100, 1)}}),
       {"combine", "-o", "c", "a.bin@99999999999999999999"},
       2,
       {"File 1 always starts at 0"},
       {"a.bin"}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, HeadersClaimingMoreThanTheDataHolds) {
  const std::vector<Case> cases = {
      {"GIF: 16384 x 16384 screen, six 1 x 1 frames",
       Files({{"big.gif", GifOfTinyFrames(16384, 16384, 6)}}),
       {"gif", "-o", "g", "big.gif"},
       1,
       {"Fail to convert big.gif", "big.gif: GIF: "},
       {"big.gif"}},
      {"JPEG: 4000 x 65500 claimed, 16 x 16 of data",
       Files({{"tall.jpg", JpegClaiming(4000, 65500)}}),
       {"picture", "-o", "j", "tall.jpg"},
       1,
       {"Fail to convert tall.jpg", "tall.jpg: JPEG: "},
       {"tall.jpg"}},
      {"PNG: 16384 x 16384 claimed over 100 bytes",
       Files({{"huge.png", PngClaiming(16384, 16384)}}),
       {"picture", "-o", "p", "huge.png"},
       1,
       {"Fail to convert huge.png", "huge.png: PNG: "},
       {"huge.png"}},
      {"cursor --image of a large picture",
       Files({{"big.png", tools::EncodePng({4000, 4000, 0, 8, Bytes(4000 * 4000, 0xFF), {}})}}),
       {"cursor", "--image", "big.png", "-o", "c"},
       1,
       {"32 x 32"},
       {"big.png"}},
      {"WAV data chunk claiming more than is there",
       Files({{"short.wav", Cut(Wav(1000), 144)}}),
       {"wav", "-o", "Wav-s", "short.wav"},
       0,
       {"The data chunk is cut short"},
       {"short.wav", "Wav-s.bin", "Wav-s-Addr.txt"}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, InspectReadsOnlyTheHeaderOfAHugeImage) {
  tools::TempFolder folder;
  { std::ofstream image(folder.File("huge.bin"), std::ios::binary); }
  fs::resize_file(folder.File("huge.bin"), std::uint64_t{3} << 30);  // sparse: costs no disk
  const Outcome outcome = RunDravick(folder, {"inspect", "huge.bin"});
  Report("inspect a 3 GiB image", outcome, Left(folder));
  EXPECT_LE(outcome.status, 1);
  EXPECT_NE(outcome.out.find("file 0xC0000000 bytes"), std::string::npos) << outcome.out;
  EXPECT_LT(outcome.peak_kib, 4 * 64 * 1024);  // the header, not the file
}

// A header of 0xFF whose picture table gives one entry, big-endian as the builder writes
// it, and whose WAV and cursor tables stay empty.
Bytes HeaderWithPicture(int width, int height, std::uint32_t address, std::uint32_t size) {
  Bytes header(0x3000, 0xFF);
  const std::uint32_t fields[] = {std::uint32_t(width) << 16 | std::uint32_t(height), address,
                                  size};
  header[0x600] = 0;
  header[0x601] = 1;
  for (int i = 0; i < 12; ++i)
    header[0x602 + std::size_t(i)] = std::uint8_t(fields[i / 4] >> (8 * (3 - i % 4)));
  return header;
}

TEST(HostileInput, ExtractReadsOnlyTheEntriesOfAHugeImage) {
  tools::TempFolder folder;
  // A 100 x 100 R5G6B5 picture in the middle of 3 GiB of nothing (sparse: costs no disk).
  folder.Write("huge.bin", HeaderWithPicture(100, 100, 0x80000000u, 20000));
  fs::resize_file(folder.File("huge.bin"), std::uint64_t{3} << 30);
  const Outcome outcome = RunDravick(folder, {"extract", "huge.bin", "-d", "out"});
  Report("extract a 3 GiB image", outcome, Left(folder));
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_TRUE(fs::exists(folder.File("out/picture-000.png")));
  EXPECT_LT(outcome.peak_kib, 4 * 64 * 1024);  // the header and one picture, not the file

  // A table entry of 65535 x 65535 pixels whose Black_White size the file cannot hold:
  // named, nothing allocated for it.
  folder.Write("claims.bin", HeaderWithPicture(65535, 65535, 0x3000, 65535u * 8192u));
  const Outcome claims = RunDravick(folder, {"extract", "claims.bin", "-d", "out2"});
  Report("extract an entry claiming 512 MiB", claims, Left(folder));
  EXPECT_EQ(claims.status, 1);
  EXPECT_NE(claims.err.find("picture 0: lies outside the file"), std::string::npos) << claims.err;
  EXPECT_TRUE(fs::exists(folder.File("out2/contents.txt")));
  EXPECT_LT(claims.peak_kib, kPeakBoundKib);
}

TEST(HostileInput, CorruptDataFails) {
  const std::vector<Case> cases = {
      {"PNG with a flipped IHDR checksum",
       Files({{"a.png", PngWithBadChecksum(false)}}),
       {"picture", "-o", "p", "a.png"},
       1,
       {"Fail to convert a.png", "a.png: PNG: "},
       {"a.png"}},
      {"PNG with a flipped image-data byte",
       Files({{"a.png", PngWithBadChecksum(true)}}),
       {"picture", "-o", "p", "a.png"},
       1,
       {"Fail to convert a.png", "a.png: PNG: "},
       {"a.png"}},
      {"BMP cut to 60 bytes",
       Files({{"a.bmp", Cut(tools::EncodeBmp24(10, 10, Bytes(300, 9)), 60)}}),
       {"picture", "-o", "p", "a.bmp"},
       1,
       {"Fail to convert a.bmp", "a.bmp: BMP: "},
       {"a.bmp"}},
      {"JPEG cut inside its scan data",
       Files({{"a.jpg", Cut(NoisyJpeg(64), 2000)}}),
       {"picture", "-o", "p", "a.jpg"},
       1,
       {"Fail to convert a.jpg", "a.jpg: JPEG: "},
       {"a.jpg"}},
      {"list entry past the end of its .bin",
       [](tools::TempFolder& folder) { PictureBins(folder, "{32, 64, 0xF00, 0x1000},//a.png"); },
       {"build", "--project", "p.ini", "--bins", "bins", "-o", "f"},
       1,
       {"bins/Picture-a-Addr.txt, line 1: the entry at 0x00000F00 of 0x00001000 bytes ends past "
        "the end of Picture-a.bin (4096 bytes)"},
       {"p.ini", "bins/", "bins/Picture-a.bin", "bins/Picture-a-Addr.txt"}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, AStoppedRunLeavesNoStaleAddressList) {
  const Case c{"run stopped at its second picture, over an earlier pair",
               Files({{"a.png", SmallPng()},
                      {"b.png", Bytes{1, 2, 3}},
                      {"out.bin", Bytes(7, 7)},
                      {"out-Addr.txt", Bytes{'x'}}}),
               {"picture", "-o", "out", "a.png", "b.png"},
               1,
               {"Fail to convert b.png", "removed the address list of an earlier run"},
               {"a.png", "b.png", "out.bin"}};
  Check(c);
}

TEST(HostileInput, OutputsNamingInputs) {
  auto bins = [](tools::TempFolder& folder) {
    PictureBins(folder, "{32, 64, 0x0, 0x1000},//a.png");
  };
  const std::vector<std::string> bin_files = {"p.ini", "bins/", "bins/Picture-a.bin",
                                              "bins/Picture-a-Addr.txt"};
  const std::vector<Case> cases = {
      {"build --userinfo names a resource",
       bins,
       {"build", "--project", "p.ini", "--bins", "bins", "--userinfo", "bins/Picture-a", "-o", "f"},
       1,
       {"bins/Picture-a.bin is also an input"},
       bin_files},
      {"build -o names a resource",
       bins,
       {"build", "--project", "p.ini", "--bins", "bins", "-o", "bins/Picture-a.bin"},
       1,
       {"is also an input"},
       bin_files},
      {"build --userinfo names the project",
       [](tools::TempFolder& folder) {
         PictureBins(folder, "{32, 64, 0x0, 0x1000},//a.png");
         fs::rename(folder.File("p.ini"), folder.File("p.txt"));
       },
       {"build", "--project", "p.txt", "--bins", "bins", "--userinfo", "p.txt", "-o", "f"},
       1,
       {"p.txt is also an input"},
       {"p.txt", "bins/", "bins/Picture-a.bin", "bins/Picture-a-Addr.txt"}},
      {"picture -o names its picture through a link",
       [](tools::TempFolder& folder) {
         folder.Write("a.png", SmallPng());
         fs::create_symlink("a.png", folder.File("out.bin"));
       },
       {"picture", "-o", "out.bin", "a.png"},
       1,
       {"out.bin is also an input (a.png)"},
       {"a.png", "out.bin"}},
      {"gif -o names its GIF through a link",
       [](tools::TempFolder& folder) {
         folder.Write("a.gif", GifOfTinyFrames(4, 4, 1));
         fs::create_symlink("a.gif", folder.File("out.bin"));
       },
       {"gif", "-o", "out.bin", "a.gif"},
       1,
       {"out.bin is also an input (a.gif)"},
       {"a.gif", "out.bin"}},
      {"wav -o names its sound",
       Files({{"a.bin", Wav(100)}}),
       {"wav", "-o", "a.bin", "a.bin"},
       1,
       {"a.bin is also an input"},
       {"a.bin"}},
      {"combine onto a later slot",
       Files({{"a.bin", Bytes(10, 1)}, {"b.bin", Bytes(5, 2)}}),
       {"combine", "-o", "b.bin", "a.bin", "b.bin"},
       1,
       {"b.bin is also an input"},
       {"a.bin", "b.bin"}},
      {"combine onto File 1 keeps all of it",
       Files({{"a.bin", Bytes(10, 1)}, {"b.bin", Bytes(5, 2)}}),
       {"combine", "-o", "a.bin", "a.bin", "b.bin"},
       0,
       {},
       {"a.bin", "b.bin", "a-Addr.txt"}},
      {"cursor --png names its picture",
       Files({{"c.txt", Bytes{'0', 'x', '1', '2'}}}),
       {"cursor", "--hex", "c.txt", "-o", "c", "--png", "./c.txt"},
       1,
       {"is also an input"},
       {"c.txt"}},
      {"font string -o names its text",
       Files({{"t.bin", Bytes{'A', 'B'}}}),
       {"font", "string", "--text", "t.bin", "-o", "t.bin"},
       1,
       {"t.bin is also an input"},
       {"t.bin"}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, FullDiskAndTightMemory) {
  const Limits full_disk{0, 40000};
  const Bytes picture = tools::EncodeBmp24(100, 100, Bytes(30000, 0x40));  // 20000 bytes each
  const std::vector<Case> cases = {
      {"picture run on a disk that fills",
       Files({{"a.bmp", picture}, {"b.bmp", picture}, {"c.bmp", picture}}),
       {"picture", "-o", "out", "a.bmp", "b.bmp", "c.bmp"},
       1,
       {"The file might not be accessibl.", "out.bin: File too large"},
       {"a.bmp", "b.bmp", "c.bmp", "out.bin"},
       full_disk},
      {"combine on a disk too small for it",
       Files({{"a.bin", Bytes(100, 1)}}),
       {"combine", "-o", "c", "a.bin", "a.bin@100000"},
       1,
       {"Can't open c.bin"},
       {"a.bin"},
       full_disk},
      {"build on a disk too small for it",
       [](tools::TempFolder& folder) {
         PictureBins(folder, "{32, 64, 0x0, 0x1000},//a.png");
         folder.Write("bins/Wav-a.bin", Bytes(50000, 0x80));
       },
       {"build", "--project", "p.ini", "--bins", "bins", "-o", "f"},
       1,
       {"Can't open f.bin"},
       {"p.ini", "bins/", "bins/Picture-a.bin", "bins/Picture-a-Addr.txt", "bins/Wav-a.bin"},
       full_disk},
      {"combine of 256 MiB within 512 MiB of address space",
       Files({{"a.bin", Bytes(100, 1)}}),
       {"combine", "-o", "c", "a.bin", "a.bin@268435456"},
       0,
       {},
       {"a.bin", "c.bin", "c-Addr.txt"},
       {std::uint64_t{512} << 20, 0}},
      {"a picture too large for the memory there is",
       Files({{"big.png", tools::EncodePng({8000, 8000, 0, 8, Bytes(8000 * 8000, 0x80), {}})}}),
       {"picture", "-o", "p", "big.png"},
       1,
       {"out of memory"},
       {"big.png"},
       {std::uint64_t{256} << 20, 0}},
  };
  for (const Case& c : cases)
    Check(c);
}

TEST(HostileInput, LongestLegalOutputNames) {
  const std::string name(251, 'n');
  const std::vector<Case> cases = {
      {"cursor -o of 255 bytes",
       Files({{"c.txt", Bytes{'0', 'x', '1', '2'}}}),
       {"cursor", "--hex", "c.txt", "-o", name + ".bin"},
       0,
       {},
       {"c.txt", name + ".bin"}},
      {"boot -o of 255 bytes", Files({}), {"boot", "-o", name + ".bin"}, 0, {}, {name + ".bin"}},
  };
  for (const Case& c : cases)
    Check(c);
}

// Each signal arrives while the resource file is being written: the run ends with
// 128 + the signal and leaves only its inputs.
TEST(HostileInput, InterruptsLeaveNoTemporaryFile) {
  for (int signal_number : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal_number);
    tools::TempFolder folder;
    Bytes samples(1500 * 1500 * 3);
    for (std::size_t i = 0; i < samples.size(); ++i)
      samples[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 11);
    folder.Write("big.png", tools::EncodePng({1500, 1500, 2, 8, samples, {}}));
    std::vector<std::string> args{"picture", "-o", "slow"};
    for (int i = 0; i < 400; ++i)
      args.push_back("big.png");
    bool seen = false;
    const Outcome outcome = RunDravick(folder, args, {}, [&](pid_t child) {
      // Wait until the temporary resource file exists, then interrupt.
      for (int tries = 0; tries < 3000 && !seen; ++tries) {
        for (const auto& entry : fs::directory_iterator(folder.Path()))
          seen = seen || entry.path().filename().string().starts_with("slow.bin.tmp");
        if (!seen)
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      ::kill(child, signal_number);
    });
    const auto left = Left(folder);
    Report(signal_number == SIGINT ? "SIGINT during a run" : "SIGTERM during a run", outcome, left);
    EXPECT_TRUE(seen);
    EXPECT_EQ(outcome.status, 128 + signal_number);
    EXPECT_EQ(Joined(left), "big.png");
  }
}

}  // namespace
