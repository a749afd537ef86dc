#include "play/texts/page_words.h"

#include "play/input/key_bindings.h"

namespace mojara {

const std::vector<PageWord>& pageWords() {
  static const std::vector<PageWord> words{
      // The line over the title until the first key or click gives the page its sound.
      {"startLine", "クリックするか、キーを押してください"},
      // The same line on a touch screen.
      {"tapLine", "画面にさわってください"},
      // The bar: the label of the language menu, as the desktop's key window has it.
      {"language", "言葉"},
      // The bar: the button that opens a replay file.
      {"openReplay", "リプレイを開く"},
      // The bar: the box that records the fights of the next visit.
      {"record", "対戦を記録する"},
      // The bar: the button that saves the last fight recorded.
      {"saveReplay", "記録を保存"},
      // The bar's status when the record box changes.
      {"recordsNextLoad", "記録はページを読み込み直すと始まります。"},
      // The bar's status when the save button has no fight to save.
      {"nothingRecorded", "まだ記録した対戦がありません。"},
      // The key-settings window's heading (the desktop's window title).
      {"keysTitle", "キー設定"},
      // The key-settings window's line under the keys until one is clicked.
      {"keysHint", "変えたいところを押してから、新しいキーかボタンを押してください"},
      // The key-settings window's attract mode box.
      {"attract", "タイトルで30秒たつとデモ"},
      // The key-settings window's button, and the tooltip of a window's close box.
      {"close", "閉じる"},
      // The versus window's row heads, before each player's fighter.
      {"player1", playerName(0)},
      {"player2", playerName(1)},
      // The game's name: the page's title, and what its desktop is called for a screen reader.
      {"gameName", "モジャラ大戦"},
      // The menu the bar folds into on a small screen, and what it holds beyond the bar.
      {"menu", "メニュー"},
      {"fullScreen", "全画面"},
      // The on-screen controls: whether they are shown, how large, the pad's side, the buzz.
      {"touchControls", "画面のボタン"},
      {"touchAuto", "タッチ画面で出す"},
      {"touchOn", "いつも出す"},
      {"touchOff", "出さない"},
      {"controlSize", "ボタンの大きさ"},
      {"sizeSmall", "小さく"},
      {"sizeMedium", "ふつう"},
      {"sizeLarge", "大きく"},
      {"padSide", "十字ボタンの側"},
      {"sideLeft", "左がわ"},
      {"sideRight", "右がわ"},
      {"vibrate", "当たるとふるえる"},
  };
  // The on-screen buttons are named as the key-settings window names the commands, each by the
  // settings file's name of its command.
  static const std::vector<PageWord> all = [] {
    std::vector<PageWord> list = words;
    for (const BindableCommand& c : kBindableCommands) list.push_back({c.settingName, std::string(c.label)});
    return list;
  }();
  return all;
}

}  // namespace mojara
