#include "engine/engine_messages.h"

namespace engine {

void ShowError(const ErrorSink& sink, const std::string& text) {
  ShowCaptionedError(sink, kErrorCaption, text, {});
}

void ShowCaptionedError(const ErrorSink& sink, const std::string& caption, const std::string& text,
                        const std::string& detail) {
  if (sink) sink(caption, text, detail);
}

}  // namespace engine
