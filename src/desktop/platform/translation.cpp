#include "desktop/platform/translation.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mirovaan_qt {

namespace {

// The captions and questions the game's own handlers hand the platform. They are the
// game's Japanese texts, word for word: a change there without one here leaves that box in
// Japanese, which the window test notices for the questions a player meets most.
[[maybe_unused]] const char* const kGameTexts[] = {
    QT_TRANSLATE_NOOP("GameText", "ﾐﾛｳﾞｧｰﾝ"),
    QT_TRANSLATE_NOOP("GameText", "ミロヴァーン"),
    QT_TRANSLATE_NOOP("GameText", "ゲームの終了"),
    QT_TRANSLATE_NOOP("GameText", "ゲームを終了してもよろしいでしょうか？"),
    QT_TRANSLATE_NOOP("GameText", "ゲームの中断"),
    QT_TRANSLATE_NOOP("GameText", "タイトル画面に戻ってもよろしいでしょうか？"),
    QT_TRANSLATE_NOOP("GameText", "使いますよ！"),
    QT_TRANSLATE_NOOP("GameText", "今現在選んでいるアイテムを使ってもよろしいでしょうか？"),
    QT_TRANSLATE_NOOP("GameText", "扱えません！！"),
    QT_TRANSLATE_NOOP("GameText", "それは装備出来ません・・・"),
    QT_TRANSLATE_NOOP("GameText", "着れません！！"),
    QT_TRANSLATE_NOOP("GameText", "それは着れません・・・"),
    QT_TRANSLATE_NOOP("GameText", "捨てますよ！！"),
    QT_TRANSLATE_NOOP("GameText", "今現在選んでいるアイテムを捨ててもよろしいでしょうか？"),
    QT_TRANSLATE_NOOP("GameText", "ヘルプ"),
    QT_TRANSLATE_NOOP("GameText", "直接ブラウザを起動してヘルプを見ます。よろしいですか？"),
    QT_TRANSLATE_NOOP("GameText", "オプション"),
    QT_TRANSLATE_NOOP("GameText", "マニュアルを開く"),
    QT_TRANSLATE_NOOP("GameText", "（なし）"),
    QT_TRANSLATE_NOOP("GameText", "このソフトはフリーソフトです。転載・配布は自由ですが、"
                                  "改変したものは配布しないでください。"),
    QT_TRANSLATE_NOOP("GameText", "ｹﾞｰﾑﾃﾞｰﾀの保存"),
    QT_TRANSLATE_NOOP("GameText", "ｹﾞｰﾑﾌｧｲﾙ (*.sav)"),
    QT_TRANSLATE_NOOP("GameText", "ｹﾞｰﾑﾃﾞｰﾀの読み込み"),
    QT_TRANSLATE_NOOP("GameText", "ｹﾞ-ﾑﾃﾞｰﾀ (*.sav)"),
};

// Ours and Qt's own (the message boxes' buttons, the file dialog). They live as long as the
// program, so the application may hold them.
QTranslator& OurTranslator() {
  static QTranslator translator;
  return translator;
}

QTranslator& QtJapanese() {
  static QTranslator translator;
  return translator;
}

void Install(QTranslator& translator, bool wanted, auto load) {
  QCoreApplication::removeTranslator(&translator);
  if (wanted && (!translator.isEmpty() || load(translator)))
    QCoreApplication::installTranslator(&translator);
}

}  // namespace

void UseLanguage(Language language) {
  SetCurrentLanguage(language);
  const bool english = language == Language::kEnglish;
  // Qt speaks English by itself; its Japanese gives the message boxes "はい" and "いいえ".
  Install(QtJapanese(), !english, [](QTranslator& t) {
    return t.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  });
  Install(OurTranslator(), english, [](QTranslator& t) {
    return t.load(QStringLiteral(":/i18n/mirovaan_en.qm"));
  });
  QGuiApplication::setApplicationDisplayName(ProgramName());
}

QString ProgramName() { return GameText("ﾐﾛｳﾞｧｰﾝ"); }

QString GameText(const std::string& text) {
  return QCoreApplication::translate("GameText", text.c_str());
}

}  // namespace mirovaan_qt
