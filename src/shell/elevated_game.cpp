#include "shell/elevated_game.h"

namespace vesk {

ElevatedGameNotice elevatedGameNotice(bool accessDenied, bool veskElevated, bool chordsOnHook,
                                      bool toldBefore) {
  // An elevated vesk is not isolated from the game; any other failure is
  // not this one.
  if (!accessDenied || veskElevated || toldBefore) return ElevatedGameNotice::None;
  return chordsOnHook ? ElevatedGameNotice::KeysAndRestacking : ElevatedGameNotice::Restacking;
}

std::string elevatedGameMessage(ElevatedGameNotice notice) {
  switch (notice) {
    case ElevatedGameNotice::KeysAndRestacking:
      return "ゲームが管理者として実行されているため、一部のキーとウィンドウの重ね順の変更が"
             "ゲームに届きません。\nvesk も管理者として実行してください"
             "（または、ショートカットで修飾キーを Ctrl か Alt にしてください）。";
    case ElevatedGameNotice::Restacking:
      return "ゲームが管理者として実行されているため、ウィンドウの重ね順の変更がゲームに"
             "届きません。\nvesk も管理者として実行してください。";
    case ElevatedGameNotice::None:
      break;
  }
  return {};
}

}  // namespace vesk
