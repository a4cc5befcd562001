#include "app/message_box.h"

#include <QMessageBox>

namespace zarn::app {
namespace {

ErrorPresenter& Presenter() {
  static ErrorPresenter presenter;
  return presenter;
}

QuestionPresenter& Questioner() {
  static QuestionPresenter presenter;
  return presenter;
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString ErrorBoxText(std::string_view message, std::string_view detail) {
  return (FromUtf8(message) + '\n' + FromUtf8(detail)).left(kMaxErrorText);
}

void ShowCaptionedError(std::string_view caption, std::string_view message,
                        std::string_view detail) {
  const QString text = ErrorBoxText(message, detail);
  if (Presenter()) {
    Presenter()(FromUtf8(caption), text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), text, QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

void ShowError(std::string_view message, std::string_view detail) {
  ShowCaptionedError(engine::kErrorCaption, message, detail);
}

engine::ErrorSink MessageBoxSink() {
  return [](std::string_view caption, std::string_view text, std::string_view detail) {
    ShowCaptionedError(caption, text, detail);
  };
}

bool AskYesNo(QWidget* owner, const QString& caption, const QString& text, QuestionKind kind) {
  if (Questioner()) return Questioner()(caption, text);
  const bool warning = kind == QuestionKind::kWarningDefaultNo;
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Question, caption, text,
                  QMessageBox::Yes | QMessageBox::No, owner);
  if (warning) box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void SetErrorPresenter(ErrorPresenter presenter) {
  Presenter() = std::move(presenter);
}

void SetQuestionPresenter(QuestionPresenter presenter) {
  Questioner() = std::move(presenter);
}

}  // namespace zarn::app
