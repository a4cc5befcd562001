#include "cli/make_command.h"

#include "cli/effects_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "cli/font_note.h"
#include "cli/number_text.h"
#include "cli/output_checks.h"
#include "engine/build_movie_file.h"
#include "glyphs/system_font_service.h"
#include "media/export_format.h"
#include "media/web_page.h"
#include "player/movie_loader.h"
#include "swftk/file_bytes.h"
#include "swftk/replace_file.h"

namespace zarn::cli {
namespace {

constexpr const char* kDefaultFont = "Arial";

// Prints each message as "CAPTION: FIRST LINE" with the second line below it.
engine::ErrorSink PrintingSink(std::ostream& err) {
  return [&err](std::string_view caption, std::string_view text, std::string_view detail) {
    err << caption << ": " << text << "\n";
    if (!detail.empty()) err << detail << "\n";
  };
}

bool Refuse(std::ostream& err, const std::string& reason) {
  err << "zarn-cli: " << reason << "\n";
  return false;
}

// "RRGGBB" (a leading # is allowed) as a 0x00BBGGRR colour.
bool ParseColour(const std::string& option, const std::string& text, uint32_t& colour,
                 std::ostream& err) {
  const std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
  if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return Refuse(
        err, option + " takes a colour as six hexadecimal digits RRGGBB, not \"" + text + "\"");
  const auto rgb = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
  colour = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
  return true;
}

bool ReadTextFile(const std::string& path, std::string& text, std::ostream& err) {
  std::string fileText;
  if (!swftk::ReadFileText(path, fileText)) return Refuse(err, "cannot read " + path);
  text = engine::MovieTextFromFile(fileText);
  return true;
}

// The version Save's file type would ask for; without --flash the template's own, which for a
// template below version 4 makes Flash 3.
bool ChooseVersion(const MakeOptions& options, int& version, std::ostream& err) {
  if (options.flash && *options.flash != "3" && *options.flash != "4")
    return Refuse(err, "--flash takes 3 or 4, not \"" + *options.flash + "\"");
  version = options.flash ? engine::FieldToInt(*options.flash) : 0;
  return true;
}

// The number boxes of the window read "36abc" as 36; an option is refused instead.
bool CheckNumbers(const MakeOptions& options, std::ostream& err) {
  const std::pair<const char*, const std::string*> wholeNumbers[] = {
      {"--size", &options.size},
      {"--width", &options.width},
      {"--height", &options.height},
      {"--delay", &options.delay},
      {"--letter-space", &options.letterSpace},
      {"--line-space", &options.lineSpace},
      {"--x", &options.x},
      {"--y", &options.y}};
  for (const auto& [name, text] : wholeNumbers) {
    if (!IsWholeNumber(*text))
      return Refuse(err, std::string(name) + " takes a whole number, not \"" + *text + "\"");
  }
  if (!IsDecimalNumber(options.rate))
    return Refuse(err, "--rate takes a number such as 12 or 12.5, not \"" + options.rate + "\"");
  return true;
}

bool CollectSettings(const MakeOptions& options, engine::MovieSettings& settings,
                     std::ostream& err) {
  if (!CheckNumbers(options, err)) return false;
  settings.text = kDefaultMovieText;
  if (options.text) settings.text = *options.text;
  if (options.textFile && !ReadTextFile(*options.textFile, settings.text, err)) return false;
  if (!ParseColour("--color", options.color, settings.textColor, err) ||
      !ParseColour("--background", options.background, settings.backgroundColor, err)) {
    return false;
  }
  settings.letterSpace = engine::FieldToInt(options.letterSpace);
  settings.lineSpace = engine::FieldToInt(options.lineSpace);
  settings.movieHeight = engine::FieldToInt(options.height);
  settings.originX = engine::FieldToInt(options.x);
  settings.originY = engine::FieldToInt(options.y);
  settings.movieWidth = engine::FieldToInt(options.width);
  settings.frameDelay = engine::FieldToInt(options.delay);
  settings.frameRate = engine::FieldToFloat(options.rate);
  settings.fontSize = engine::FieldToInt(options.size);
  settings.flags.loopMovie = options.loop;
  settings.flags.protect = options.protect;
  settings.flags.allAtOnce = options.allAtOnce;
  settings.flags.linkMovie = options.link.has_value();
  settings.linkUrl = options.link.value_or("");
  settings.linkTarget = options.target;
  settings.font.SetFaceName(options.font.value_or(kDefaultFont));
  settings.font.lfWeight = options.bold ? glyphs::kWeightBold : glyphs::kWeightNormal;
  settings.font.lfItalic = options.italic ? 1 : 0;
  return true;
}

// The page the Save dialog would write with its stored defaults, but not resizable.
engine::HtmlOptions PageOptions(const engine::MovieSettings& settings) {
  engine::HtmlOptions stored;
  stored.resizable = false;
  return engine::PageOptionsFor(settings, stored);
}

// Plays the movie just written and exports it, with the page that plays the export when one
// is asked for.
int ExportMadeMovie(const MakeOptions& options, const std::string& text, std::ostream& err) {
  const player::MovieLoadResult loaded = player::LoadMovieFile(options.output);
  if (!loaded.movie) {
    err << "zarn-cli: cannot read " << options.output << ": " << loaded.error << "\n";
    return 1;
  }
  const media::ExportOptions exportOptions =
      ExportOptionsFor(options.exportSettings, *options.exportPath, 1.0, 1, 0);
  const ExportPage page{options.html.value_or(""), text};
  return RunExport(loaded.movie, exportOptions, options.html ? &page : nullptr, std::cout, err);
}

}  // namespace

int RunMakeCommand(const MakeOptions& options, glyphs::CKV_FontService& fonts, std::ostream& err) {
  if (options.text && options.textFile) {
    Refuse(err, "--text and --text-file cannot be used together");
    return 1;
  }
  const std::string page = options.html.value_or("");
  const std::string exported = options.exportPath.value_or("");
  if (!exported.empty() && !IsExportPath(exported)) {
    Refuse(err, "--export takes a file ending in " + std::string(media::KnownExtensions()));
    return 1;
  }
  // With an export the page plays it; without, the page embeds the SWF movie.
  const bool pagePlaysExport = !page.empty() && !exported.empty();
  std::vector<std::string> outputs{options.output, page};
  media::WebPageFiles pageFiles;
  std::string pageRefusal;
  if (pagePlaysExport &&
      !media::WebPageFilesFor(ExportOptionsFor(options.exportSettings, exported, 1.0, 1, 0),
                              pageFiles, pageRefusal)) {
    Refuse(err, pageRefusal);
    return 1;
  }
  outputs.insert(outputs.end(), pageFiles.movies.begin(), pageFiles.movies.end());
  outputs.push_back(pageFiles.poster);
  if (!pagePlaysExport) outputs.push_back(exported);
  if (!OutputsAreSeparate(outputs, {options.effect, options.textFile.value_or("")}, err)) return 1;
  engine::MovieSettings settings;
  engine::MovieTarget target{options.effect, options.output, false};
  if (!CollectSettings(options, settings, err) ||
      !ChooseVersion(options, target.effectVersion, err)) {
    return 1;
  }
  const engine::ErrorSink sink = PrintingSink(err);
  CKV_NotingFontService notingFonts(fonts, err);
  glyphs::CKV_FontService& window = options.font ? notingFonts : fonts;
  // Without an output the settings are still checked first, in the desktop program's order,
  // so that a missing effect reads as it does there.
  if (options.output.empty()) {
    if (engine::CheckMovieSettings(settings, target, window, sink))
      Refuse(err, "make needs -o OUT.swf");
    return 1;
  }
  // The page embeds the movie by its bare file name. It is written beside its place first and
  // put there only once the movie is, so a failure of either leaves both files as they were.
  swftk::FileReplacement pageFile;
  const bool swfPage = !page.empty() && !pagePlaysExport;
  if (swfPage && !engine::StageHtmlPage(PageOptions(settings), engine::EmbedName(options.output),
                                        page, pageFile, sink)) {
    return 1;
  }
  if (!engine::BuildMovieFile(settings, target, window, sink)) return 1;
  if (swfPage && !engine::CommitHtmlPage(pageFile, page, sink)) return 1;
  return exported.empty() ? 0 : ExportMadeMovie(options, settings.text, err);
}

void AddMakeCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<MakeOptions>();
  CLI::App* command =
      app.add_subcommand("make", "Build an animated text movie from an effect template");
  command->add_option("--effect", options->effect,
                      "the effect template (.swf or .kvx) or a name listed by \"effects\", needed");
  command->add_option("-o,--output", options->output, "the movie to write, needed");
  command->add_option("--text", options->text,
                      "the text, UTF-8, line breaks allowed (default \"Kalvoren Zarn\")");
  command->add_option("--text-file", options->textFile,
                      "instead of --text: a UTF-8 file (its final line break is dropped)");
  command->add_option("--font", options->font, "font face (default Arial)");
  command->add_option("--size", options->size, "font size in points")->capture_default_str();
  command->add_flag("--bold", options->bold, "bold face");
  command->add_flag("--italic", options->italic, "italic face");
  command->add_option("--color", options->color, "text colour RRGGBB")->capture_default_str();
  command->add_option("--background", options->background, "background colour RRGGBB")
      ->capture_default_str();
  command->add_option("--width", options->width, "movie width in pixels")->capture_default_str();
  command->add_option("--height", options->height, "movie height in pixels")->capture_default_str();
  command->add_option("--rate", options->rate, "frames per second")->capture_default_str();
  command->add_option("--delay", options->delay, "frames between the starts of two letters")
      ->capture_default_str();
  command->add_option("--letter-space", options->letterSpace, "extra space between letters, px")
      ->capture_default_str();
  command->add_option("--line-space", options->lineSpace, "extra space between lines, px")
      ->capture_default_str();
  command->add_option("--x", options->x, "left of the first letter, px")->capture_default_str();
  command->add_option("--y", options->y, "top of the first letter, px")->capture_default_str();
  command->add_flag("--loop", options->loop, "loop the movie instead of stopping at its end");
  command->add_flag("--all-at-once", options->allAtOnce, "start every letter in the same frame");
  command->add_flag("--protect", options->protect, "protect the movie against import");
  command->add_option("--link", options->link, "open this URL when the movie is clicked");
  command->add_option("--target", options->target, "window the link opens in")
      ->capture_default_str();
  command->add_option("--flash", options->flash,
                      "3 or 4: the format of a movie made from a Flash 3 effect (default 3)");
  command->add_option("--html", options->html,
                      "also write an HTML page that embeds the movie; with --export, a page that "
                      "plays the export instead (.mp4 or .webm: a video, written as both with a "
                      "NAME-poster.png; .webp, .apng or .gif: an image)");
  command->add_option("--export", options->exportPath,
                      "also write the movie as .mp4, .webm, .mov, .webp, .apng or .gif");
  AddExportOptions(*command, options->exportSettings, false);
  command->callback([options, &exitStatus] {
    glyphs::CKV_SystemFontService fonts;
    options->effect = ResolveEffectPath(options->effect, DefaultDataFolder());
    exitStatus = RunMakeCommand(*options, fonts, std::cerr);
  });
}

}  // namespace zarn::cli
