#pragma once

#include <string>
#include <string_view>

#include "engine/engine_messages.h"
#include "engine/html_page.h"
#include "engine/movie_settings.h"
#include "glyphs/font_service.h"

namespace engine {

// The engine's door for the desktop program's Preview and Save and for the command line's
// "make": reads the template once, checks the settings in the fixed order (the first failure
// goes to the sink), chooses the movie's version from the template's and the target's format,
// and builds. A preview's file is replaced atomically but not flushed to the disk, since it is
// made again at every change; a saved movie is flushed. True only when the movie was written.
bool BuildMovieFile(const MovieSettings& settings, const MovieTarget& target,
                    glyphs::CKV_FontService& fonts, const ErrorSink& sink);

// The checks of BuildMovieFile without the build: true when the settings would be accepted.
bool CheckMovieSettings(const MovieSettings& settings, const MovieTarget& target,
                        glyphs::CKV_FontService& fonts, const ErrorSink& sink);

// The movie text held in a text file: UTF-8 without a byte-order mark and without the one line
// break (LF or CR LF) that ends the last line. Breaks inside the text are kept as they are.
std::string MovieTextFromFile(std::string_view fileText);

// The page options for a movie made from the settings: the stored choices (resizable, auto
// play, align, quality) with the movie's size and background colour, as the Save dialog
// starts from them.
HtmlOptions PageOptionsFor(const MovieSettings& settings, const HtmlOptions& stored);

// The name by which a page embeds the movie: its bare file name, without folders.
std::string EmbedName(const std::string& moviePath);

}  // namespace engine
