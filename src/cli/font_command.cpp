// `dravick font charset | string | show`: the font window's "Make Bin", "String Bin" and
// test buttons.
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "font/charset_library.h"
#include "font/font_file.h"
#include "font/glyph_test.h"
#include "font/messages.h"
#include "font/preview_png.h"
#include "font/string_font.h"
#include "platform/chinese_forms.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/glyph_rasteriser.h"

namespace cli {

namespace {

struct GlyphOptions {
  platform::FontChoice font;
  int width = 16;
  int height = 16;
  int x = 2;
  int y = 1;
  int gray_limit = 200;
  int rotation = font::kNoRotation;
  bool reverse_x = false;
  bool reverse_y = false;
  Common common;

  [[nodiscard]] font::GlyphSettings Settings() const {
    font::GlyphSettings settings;
    settings.width_text = std::to_string(width);
    settings.height_text = std::to_string(height);
    // The gray limit field never holds more than 255.
    settings.gray_limit_text = std::to_string(std::min(gray_limit, 255));
    settings.x_offset = x;
    settings.y_offset = y;
    settings.rotation = rotation;
    settings.reverse_x = reverse_x;
    settings.reverse_y = reverse_y;
    return settings;
  }
  [[nodiscard]] bool TraditionalLocale() const {
    return common.traditional_locale || platform::TraditionalLocaleFromEnvironment();
  }
};

const std::map<std::string, font::CharacterSet> kSets{
    {"gb2312", font::CharacterSet::Gb2312},
    {"big5", font::CharacterSet::Big5},
    {"gb2312-trad", font::CharacterSet::Gb2312Traditional},
    {"gbk", font::CharacterSet::Gbk},
    {"unicode", font::CharacterSet::Unicode},
};

const CLI::Validator Hex4Code(
    [](std::string& value) -> std::string {
      if (value.size() == 4 &&
          value.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos)
        return {};
      return "not four hexadecimal digits: " + value;
    },
    "HEX4");

void AddGlyphOptions(CLI::App& command, GlyphOptions& options) {
  command.add_option("--font", options.font.family,
                     "Family name resolved by fontconfig, or a font file");
  command.add_option("--font-size", options.font.pixel_height, "Character height in pixels")
      ->check(Decimal & CLI::PositiveNumber);
  command.add_flag("--bold", options.font.bold);
  command.add_flag("--italic", options.font.italic);
  command.add_flag("--underline", options.font.underline);
  command.add_flag("--strike-out", options.font.strike_out);
  command.add_option("--width", options.width, "Cell width W")
      ->check(Decimal & CLI::NonNegativeNumber);
  command.add_option("--height", options.height, "Cell height H")
      ->check(Decimal & CLI::NonNegativeNumber);
  command.add_option("--x", options.x, "X offset of the text in the cell")->check(Decimal);
  command.add_option("--y", options.y, "Y offset of the text in the cell")->check(Decimal);
  command.add_option("--gray-limit", options.gray_limit, "A pixel darker than this is ink")
      ->check(Decimal & CLI::NonNegativeNumber);
  command.add_option("--rotate", options.rotation, "0, r90 or l90")
      ->transform(
          CLI::CheckedTransformer(std::map<std::string, int>{{"0", 0}, {"r90", 1}, {"l90", 2}}));
  command.add_flag("--reverse-x", options.reverse_x);
  command.add_flag("--reverse-y", options.reverse_y);
  AddCommonFlags(command, options.common);
}

std::unique_ptr<platform::GlyphRasteriser> OpenFont(const GlyphOptions& options, int& status) {
  auto rasteriser = platform::GlyphRasteriser::Open(options.font);
  if (!rasteriser) {
    status = Print(rasteriser.error(), options.common);
    return nullptr;
  }
  return std::move(*rasteriser);
}

// Writes the finished bytes under -o and shows the completion text, or the failure.
int Save(const platform::Bytes& bytes, const std::string& output, const std::string& completion,
         const Common& common, const std::vector<std::string>& inputs) {
  const auto written = font::WriteFontFile(bytes, output, inputs);
  if (!written)
    return Print(written.error(), common);
  return Print(platform::Done(completion), common);
}

void AddCharset(CLI::App& font_command, int& status) {
  struct Options {
    GlyphOptions glyph;
    font::CharacterSet set = font::CharacterSet::Gb2312;
    std::string start = "AC00";
    std::string end = "D7A3";
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = font_command.add_subcommand("charset", "Make a character-set font library");
  command->add_option("--set", options->set, "gb2312, big5, gb2312-trad, gbk or unicode")
      ->required()
      ->transform(CLI::CheckedTransformer(kSets));
  command->add_option("--start", options->start, "First Unicode code (HEX4)")->check(Hex4Code);
  command->add_option("--end", options->end, "Last Unicode code (HEX4)")->check(Hex4Code);
  command->add_option("-o", options->output, "Library file")->required();
  AddGlyphOptions(*command, options->glyph);
  command->callback([options, &status] {
    auto rasteriser = OpenFont(options->glyph, status);
    if (!rasteriser)
      return;
    font::LibraryRequest request;
    request.traditional_locale = options->glyph.TraditionalLocale();
    request.set = font::SetForIndex(static_cast<int>(options->set), request.traditional_locale);
    request.start_text = options->start;
    request.end_text = options->end;
    request.glyph = options->glyph.Settings();
    font::RunControl control;
    control.progress = ProgressBar(options->glyph.common, "font");
    const font::LibraryOutcome outcome = font::BuildCharsetLibrary(request, *rasteriser, control);
    for (const std::string& line : outcome.log_lines)
      std::cout << line << '\n';
    if (outcome.error) {
      status = Print(*outcome.error, options->glyph.common);
      return;
    }
    platform::Report(control.progress, 100);
    status = Save(outcome.library, options->output, outcome.completion, options->glyph.common,
                  {options->glyph.font.family});
  });
}

void AddString(CLI::App& font_command, int& status) {
  struct Options {
    GlyphOptions glyph;
    std::string text_file;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = font_command.add_subcommand("string", "Make a string font of a text file");
  command->add_option("--text", options->text_file, "Text file in the text code page")->required();
  command->add_option("-o", options->output, "String font file")->required();
  AddGlyphOptions(*command, options->glyph);
  command->callback([options, &status] {
    const platform::CodePage page = options->glyph.TraditionalLocale()
                                        ? platform::CodePage::Big5_950
                                        : platform::CodePage::Gbk936;
    font::StringText text;
    if (auto error = font::LoadStringText(options->text_file, page, text)) {
      status = Print(*error, options->glyph.common);
      return;
    }
    auto rasteriser = OpenFont(options->glyph, status);
    if (!rasteriser)
      return;
    font::RunControl control;
    control.progress = ProgressBar(options->glyph.common, "font");
    const font::StringFontOutcome outcome =
        font::BuildStringFont(text.lines, page, options->glyph.Settings(), *rasteriser, control);
    if (outcome.error) {
      status = Print(*outcome.error, options->glyph.common);
      return;
    }
    platform::Report(control.progress, 100);
    status = Save(outcome.file, options->output, font::kStringFontOk, options->glyph.common,
                  {options->text_file, options->glyph.font.family});
  });
}

void AddShow(CLI::App& font_command, int& status) {
  struct Options {
    GlyphOptions glyph;
    std::string code;
    std::string unicode;
    std::string text;
    font::CharacterSet set = font::CharacterSet::Gb2312;
    std::string png;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = font_command.add_subcommand("show", "List the bytes of one glyph");
  CLI::Option* code =
      command->add_option("--code", options->code, "\"Test Code\": a code of the set (HEX4)")
          ->check(Hex4Code);
  CLI::Option* unicode =
      command->add_option("--unicode", options->unicode, "\"UniCode\": one UTF-16 unit (HEX4)")
          ->check(Hex4Code);
  CLI::Option* text = command->add_option("--text", options->text, "The text test: a string");
  code->excludes(unicode)->excludes(text);
  unicode->excludes(text);
  command->add_option("--set", options->set, "Set of --code")
      ->transform(CLI::CheckedTransformer(kSets));
  command->add_option("--png", options->png, "Write the zoomed previews as a PNG");
  AddGlyphOptions(*command, options->glyph);
  command->callback([options, code, unicode, text, &status] {
    if (code->count() + unicode->count() + text->count() == 0)
      throw CLI::RequiredError("--code, --unicode or --text");
    const bool traditional = options->glyph.TraditionalLocale();
    std::u16string shown;
    if (code->count() > 0) {
      shown = font::TestCodeText(options->set, options->code, traditional);
    } else if (unicode->count() > 0) {
      shown = font::UnicodeTestText(options->unicode);
    } else {
      shown = font::TextTestText(
          platform::Utf16FromUtf8(options->text),
          traditional ? platform::CodePage::Big5_950 : platform::CodePage::Gbk936);
    }
    auto rasteriser = OpenFont(options->glyph, status);
    if (!rasteriser)
      return;
    const auto glyph = font::ShowGlyphBytes(*rasteriser, shown, options->glyph.Settings());
    if (!glyph) {
      status = Print(glyph.error(), options->glyph.common);
      return;
    }
    // The log's CR LF line breaks become the terminal's.
    std::string listing = glyph->listing;
    for (std::size_t at = listing.find("\r\n"); at != std::string::npos;
         at = listing.find("\r\n", at))
      listing.erase(at, 1);
    std::cout << listing;
    if (!listing.empty() && listing.back() != '\n')
      std::cout << '\n';
    if (!options->png.empty()) {
      const platform::Bytes png = font::EncodePng(font::SideBySide(glyph->view.previews));
      if (auto refused = platform::RefuseOutputsOverInputs({options->png}, {options->glyph.font.family});
          !refused) {
        status = Print(refused.error(), options->glyph.common);
        return;
      }
      if (png.empty() || !platform::WriteFileAtomically(options->png, png)) {
        status = Print(platform::Error(font::kOpenCreatFileError), options->glyph.common);
        return;
      }
    }
    status = kOk;
  });
}

}  // namespace

void AddFontCommand(CLI::App& app, int& status) {
  CLI::App* command = app.add_subcommand("font", "Font libraries, string fonts and glyph tests");
  command->require_subcommand(1);
  AddCharset(*command, status);
  AddString(*command, status);
  AddShow(*command, status);
}

}  // namespace cli
