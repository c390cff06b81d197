#pragma once
// Message boxes and file dialogs answered by the test: answers and file
// names are queued beforehand; every message shown is recorded.

#include <QString>
#include <deque>
#include <stdexcept>
#include <vector>

#include "qtplatform/UserDialogs.h"

namespace sorabel::test {

class ScriptedDialogs : public UserDialogs {
 public:
  struct Shown {
    QString text;
    MessageKind kind;
    bool question;
  };

  ScriptedDialogs() { UserDialogs::install(this); }
  ~ScriptedDialogs() override { UserDialogs::install(nullptr); }

  std::deque<Answer> answers;
  std::deque<QString> openNames;
  std::deque<QString> saveNames;
  std::vector<Shown> shown;
  int printerSetups = 0;
  QString offeredPdfName;

  Answer ask(QWidget*, const QString& text, AskButtons, MessageKind kind) override {
    shown.push_back({text, kind, true});
    if (answers.empty()) throw std::logic_error("unexpected question: " + text.toStdString());
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void tell(QWidget*, const QString& text, MessageKind kind) override { shown.push_back({text, kind, false}); }
  QString openFileName(QWidget*, const FileDialogOptions& options) override {
    lastOptions = options;
    return take(openNames);
  }
  QString saveFileName(QWidget*, const FileDialogOptions& options) override {
    lastOptions = options;
    return take(saveNames);
  }
  void printerSetup(QWidget*, QPrinter*, const QString& pdfName) override {
    ++printerSetups;
    offeredPdfName = pdfName;
  }

  // The texts of every message and question so far.
  std::vector<QString> texts() const {
    std::vector<QString> result;
    for (const Shown& s : shown) result.push_back(s.text);
    return result;
  }

  FileDialogOptions lastOptions;

 private:
  static QString take(std::deque<QString>& names) {
    if (names.empty()) throw std::logic_error("unexpected file dialog");
    QString name = names.front();
    names.pop_front();
    return name;
  }
};

}  // namespace sorabel::test
