#include "forms/MainCommands.h"

#include <Qt>
#include <array>
#include <cstring>

#include "forms/UMain.h"

namespace sorabel {
namespace {

constexpr int picture(CommandPicture p) { return static_cast<int>(p); }
constexpr int kNone = -1;

using K = CommandKind;
using P = CommandPicture;
using M = TMainFm;

const MainCommand kCommands[] = {
    {K::Menu, "F1", "ファイル(&F)", 0, "", kNone, &M::F1Click, nullptr},
    {K::Item, "New1", "新規作成(&N)", 0, "ファイルを新規に作成します", picture(P::New), &M::New1Click, "SpBtnNew"},
    {K::Item, "Open1", "開く(&O)", 0, "ファイルを開きます", picture(P::Open), &M::Open1Click, "SpBtnOpen"},
    {K::Submenu, "N2", "開き直す(&R)", 0, "", picture(P::Reopen), nullptr, nullptr},
    {K::Item, "OpenBackup1", "バックアップから開く...", 0, "以前に保存したファイルのバックアップを開きます", kNone,
     &M::OpenBackup1Click, nullptr},
    {K::Item, "Save1", "上書き保存(&D)", 0, "上書き保存します", picture(P::Save), &M::Save1Click, "SpBtnSave"},
    {K::Item, "SaveAs1", "名前を付けて保存(&A)", 0, "名前を付けて新規保存します", picture(P::SaveAs), &M::SaveAs1Click,
     nullptr},
    {K::Separator, "N1", "-", 0, "", kNone, nullptr, nullptr},
    {K::Item, "Print1", "印刷(&P)", 0, "データを印刷します", picture(P::Print), &M::Print1Click, "SpBtnPrint"},
    {K::Separator, "N3", "-", 0, "", kNone, nullptr, nullptr},
    {K::Item, "Exit1", "終了(&X)", 0, "アプリケーションを終了します", picture(P::Exit), &M::Exit1Click, "EndBtn"},

    {K::Menu, "E5", "編集(&E)", 0, "", kNone, nullptr, nullptr},
    {K::Item, "Undo1", "元に戻す(&U)", (Qt::CTRL | Qt::Key_Z).toCombined(), "", kNone, &M::Undo1Click, nullptr},
    {K::Item, "Redo1", "やり直し(&R)", (Qt::CTRL | Qt::Key_Y).toCombined(), "", kNone, &M::Redo1Click, nullptr},
    {K::Item, "Cut1", "切り取り(&T)", (Qt::CTRL | Qt::Key_X).toCombined(), "選択したデータを切り取ります", kNone,
     &M::Cut1Click, nullptr},
    {K::Item, "Copy1", "コピー(&C)", (Qt::CTRL | Qt::Key_C).toCombined(), "選択したセルをコピーします", kNone,
     &M::Copy1Click, nullptr},
    {K::Item, "Paste1", "貼り付け(&P)", (Qt::CTRL | Qt::Key_V).toCombined(), "コピーしたデータを貼り付けます", kNone,
     &M::Paste1Click, nullptr},
    {K::Separator, "N5", "-", 0, "", kNone, nullptr, nullptr},
    {K::Item, "A1", "データ追加(&A)", Qt::Key_F3, "新しくデータを追加します", picture(P::Add), &M::A1Click, "SpBtnAdd"},
    {K::Item, "D1", "データ削除(&L)", Qt::Key_F4, "データを削除します", picture(P::Delete), &M::D1Click, "SpBtnDelete"},
    {K::Separator, "N4", "-", 0, "", kNone, nullptr, nullptr},
    {K::Check, "SortInc", "降順並び(&D)", 0, "昇順に並び替えます", picture(P::OldestFirst), &M::SortIncClick, nullptr},
    {K::Check, "SortDec", "昇順並び(&U)", 0, "降順に並び替えます", picture(P::NewestFirst), &M::SortDecClick, nullptr},

    {K::Menu, "Find1", "検索(&S)", 0, "", kNone, nullptr, nullptr},
    {K::Item, "Find2", "検索(&S)", 0, "摘要項目の検索", picture(P::Find), &M::Find2Click, "SpBtnFind"},
    {K::Item, "I1", "月別収支一覧(&I)", 0, "月別収支一覧を表示します", picture(P::Monthly), &M::I1Click, "SpBtnCalc"},

    {K::Menu, "Show1", "表示(&V)", 0, "", kNone, nullptr, nullptr},
    {K::Check, "T1", "ツールバー(&A)", 0, "ツールバーの表示", picture(P::Toolbar), &M::T1Click, nullptr},
    {K::Check, "S3", "ステータスバー(&B)", 0, "ステータスバーの表示", kNone, &M::S3Click, nullptr},
    {K::Check, "StayTop", "常に手前に表示(&W)", 0, "", kNone, &M::StayTopClick, nullptr},

    {K::Menu, "S1", "設定(&T)", 0, "", kNone, nullptr, nullptr},
    {K::Item, "S2", "設定(&D)", 0, "機能の設定をします", picture(P::Settings), &M::S2Click, "SpBtnSet"},
    {K::Item, "P1", "プリンタの設定(&P)", 0, "プリンターの設定", picture(P::PrinterSetup), &M::P1Click, nullptr},

    {K::Menu, "H1", "ヘルプ(&H)", 0, "", kNone, nullptr, nullptr},
    {K::Item, "H2", "ヘルプ(&H)", Qt::Key_F1, "ヘルプファイル呼び出し", picture(P::Help), &M::H2Click, "SpBtnHelp"},
    {K::Item, "V1", "バージョン情報(&J)", 0, "このアプリケーションについて", picture(P::About), &M::V1Click,
     "SpBtnAbout"},
};

const char* const kToolbar[] = {"New1", "Open1", "Save1", nullptr, "Print1", nullptr, "A1",  "D1", nullptr,
                                "Find2", "I1", nullptr, "S2", nullptr, "H2", "V1", nullptr, "Exit1"};

const StandardKey kStandardKeys[] = {
    {"New1", Qt::CTRL | Qt::Key_N},
    {"Open1", Qt::CTRL | Qt::Key_O},
    {"Save1", Qt::CTRL | Qt::Key_S},
    {"SaveAs1", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {"Print1", Qt::CTRL | Qt::Key_P},
    {"Find2", Qt::CTRL | Qt::Key_F},
    {"Exit1", Qt::CTRL | Qt::Key_Q},
    {"Redo1", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
};

}  // namespace

std::span<const StandardKey> standardKeys() { return kStandardKeys; }

std::span<const MainCommand> mainCommands() { return kCommands; }

std::span<const char* const> toolbarLayout() { return kToolbar; }

const MainCommand* findCommand(const char* name) {
  for (const MainCommand& command : kCommands)
    if (std::strcmp(command.name, name) == 0) return &command;
  return nullptr;
}

}  // namespace sorabel
