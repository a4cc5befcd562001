#include "cli/dump_command.h"

#include <CLI/CLI.hpp>
#include <iomanip>
#include <iostream>
#include <memory>

#include "cli/dump_format.h"
#include "cli/dump_tags.h"
#include "swftk/reader.h"
#include "swftk/sprite.h"
#include "swftk/stream.h"
#include "swftk/tag_factory.h"

namespace zarn::cli {
namespace {

constexpr int kIndexWidth = 7;
constexpr int kCodeWidth = 4;
constexpr int kNameWidth = 26;
constexpr int kLengthWidth = 8;
constexpr int kIndentPerLevel = 2;

// The body length the tag has when written back. The reader keeps no declared lengths, so
// this is what the dump can show; for tags read faithfully the two agree.
uint32_t WrittenBodyLength(const swftk::CSwfTag& tag) {
  swftk::CSwfStream stream;
  tag.Write(stream);
  const std::vector<uint8_t>& bytes = stream.GetBytes();
  if (bytes.size() < 2) return 0;
  const bool longForm = (bytes[0] & 63U) == 63U;
  return static_cast<uint32_t>(bytes.size() - (longForm ? 6 : 2));
}

void PrintHeader(const swftk::CSwfHeader& header, std::ostream& out) {
  const swftk::CSwfRect& frame = header.frameRect;
  out << "SWF version " << static_cast<int>(header.version) << "\n"
      << "  file length  " << header.fileLength << " bytes\n"
      << "  frame size   " << int64_t{frame.xMax} - frame.xMin << " x "
      << int64_t{frame.yMax} - frame.yMin << " twips (" << FormatRect(frame) << ")\n"
      << "  frame rate   " << FormatFixed(static_cast<int64_t>(header.frameRate * 256.0F), 8)
      << " fps\n"
      << "  frame count  " << header.frameCount << "\n\n";
}

void PrintColumnTitles(std::ostream& out) {
  out << std::right << std::setw(kIndexWidth) << "index"
      << "  " << std::setw(kCodeWidth) << "code"
      << "  " << std::left << std::setw(kNameWidth) << "tag" << std::right
      << std::setw(kLengthWidth) << "length"
      << "  fields\n";
}

// One line per tag, its details below it, a sprite's own tags below those one level in.
void PrintTags(const swftk::TagList& tags, const std::string& parentIndex, int level,
               std::ostream& out) {
  const std::string indent(static_cast<size_t>(level * kIndentPerLevel), ' ');
  const std::string detailIndent(kIndexWidth + 2 + kCodeWidth + 2 + indent.size() + 2, ' ');
  for (size_t i = 0; i < tags.size(); ++i) {
    const swftk::CSwfTag& tag = *tags[i];
    const std::string index = parentIndex + std::to_string(i);
    const TagDescription description = DescribeTag(tag);
    out << std::right << std::setw(kIndexWidth) << index << "  " << std::setw(kCodeWidth)
        << tag.GetTagCode() << "  " << std::left << std::setw(kNameWidth)
        << indent + swftk::TagName(tag.GetTagCode()) << std::right << std::setw(kLengthWidth)
        << WrittenBodyLength(tag);
    if (!description.summary.empty()) out << "  " << description.summary;
    out << "\n";
    for (const std::string& detail : description.details) out << detailIndent << detail << "\n";
    if (const auto* sprite = dynamic_cast<const swftk::CSwfDefineSprite*>(&tag)) {
      PrintTags(sprite->tags, index + ".", level + 1, out);
    }
  }
}

}  // namespace

int RunDumpCommand(const std::string& path, std::ostream& out, std::ostream& err) {
  swftk::CSwfReader reader;
  if (const swftk::OpenResult result = reader.OpenMovie(path); result != swftk::OpenResult::kOk) {
    err << "zarn-cli: cannot read " << path << ": " << swftk::DescribeOpenResult(result) << "\n";
    return 1;
  }
  PrintHeader(reader.GetHeader(), out);
  PrintColumnTitles(out);
  PrintTags(reader.GetTags(), "", 0, out);
  return 0;
}

void AddDumpCommand(CLI::App& app, int& exitStatus) {
  auto path = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("dump", "List a SWF movie's header, tags and fields");
  command->add_option("FILE", *path, "the movie (FWS or CWS, any version)")->required();
  command->callback(
      [path, &exitStatus] { exitStatus = RunDumpCommand(*path, std::cout, std::cerr); });
}

}  // namespace zarn::cli
