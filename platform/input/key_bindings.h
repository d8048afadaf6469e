// The player's bindings: which keys (by place) and pad inputs stand for each
// action of the input table. A bound key sends its action's message; a key
// the game reads that is bound to nothing any more sends nothing; any other
// key sends what it always sends, so typing and the cheats still work.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/input/input_table.h"

// In a list, the word for "no pad input at all" (a list naming none keeps
// the action's pad inputs as they are).
inline constexpr const char* kNoPadInput = "pad:none";

// Bindings of one table's actions (the game's, or the viewer's): a key is
// bound to one action of the table at most.
class KeyBindings {
 public:
  KeyBindings() : KeyBindings(inputActions()) {}
  explicit KeyBindings(std::span<const InputAction> table)
      : table_(table.data()), count_(table.size()) {
    reset();
  }
  void reset();
  std::span<const InputAction> table() const { return {table_, count_}; }

  const std::vector<uint16_t>& keys(int action) const { return keys_[action]; }  // usages
  const std::vector<int>& pad(int action) const { return pad_[action]; }         // pad inputs

  // The action's keys become these (and its pad inputs, when some are
  // given). A key bound elsewhere moves here, and so does a pad input the
  // action has not got yet unless sharing is allowed (the defaults share the
  // button that jumps with Enter); an action left without keys gets its
  // defaults back, so the keyboard always reaches every action.
  void bind(int action, const std::vector<uint16_t>& keys, const std::vector<int>& pad,
            bool sharePad = false);
  // Reads "ArrowLeft Numpad4 pad:left" (spaces or commas), or a line of
  // --bindings ("Keypad 4 (Numpad4), pad:left"): false with the unknown
  // name in error, binding nothing. Keys go by code, Windows name or label,
  // a name of several words taken whole; layoutNames, by usage, are the
  // names the player's layout gives, tried first.
  bool bind(int action, std::string_view list, std::string* error, bool sharePad = false,
            const std::vector<std::string>* layoutNames = nullptr);
  // The same list for the settings file.
  std::string list(int action) const;

  // The action a key is bound to, or -1.
  int actionForKey(uint16_t usage) const;
  // The message a key sends: its action's (the NumLock one for a keypad key
  // with NumLock on), 0 for a game key now bound to nothing or a desktop
  // action, else natural, what the key sends unbound.
  UINT messageFor(uint16_t usage, bool numLock, UINT natural) const;
  // The game messages a pad input sends, in the table's order.
  std::vector<UINT> padMessages(int input) const;

  bool operator==(const KeyBindings&) const = default;

 private:
  void restoreEmpty();
  std::vector<uint16_t> defaultKeys(int action) const;

  const InputAction* table_;
  size_t count_;
  std::vector<std::vector<uint16_t>> keys_;
  std::vector<std::vector<int>> pad_;
};

// Whether a message is one a game action sends (a key the game reads).
bool isGameMessage(UINT message);

// The bindings in force for this process (the defaults until set).
KeyBindings& keyBindings();
// The viewer's, likewise.
KeyBindings& viewerKeyBindings();
