#include "platform/input/key_bindings.h"

#include <algorithm>

namespace {

std::vector<std::string_view> words(std::string_view list, const char* apart = " ,\t") {
  std::vector<std::string_view> out;
  size_t at = 0;
  while (at < list.size()) {
    size_t end = list.find_first_of(apart, at);
    if (end == std::string_view::npos) end = list.size();
    if (end > at) out.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return out;
}

// The key a name of one or more words stands for, or null.
const PhysicalKey* keyNamed(std::string_view name, const std::vector<std::string>* layoutNames) {
  if (layoutNames != nullptr)
    for (size_t usage = 0; usage < layoutNames->size(); ++usage)
      if (!(*layoutNames)[usage].empty() && sameName((*layoutNames)[usage], name))
        if (const PhysicalKey* key = physicalKeyByUsage(static_cast<uint16_t>(usage))) return key;
  bool numLock = false;
  return physicalKeyByName(name, &numLock);
}

// The longest run of up to three words from words[at] (of one comma's item)
// that names a key: the key, and how many words it took.
std::pair<const PhysicalKey*, size_t> keyAt(const std::vector<std::string_view>& words, size_t at,
                                            const std::vector<std::string>* layoutNames) {
  for (size_t count = std::min<size_t>(3, words.size() - at); count > 0; --count) {
    std::string name(words[at]);
    for (size_t i = 1; i < count; ++i) name += " " + std::string(words[at + i]);
    if (const PhysicalKey* key = keyNamed(name, layoutNames)) return {key, count};
  }
  return {nullptr, 1};
}

template <typename T>
void remove(std::vector<T>* from, T value) {
  from->erase(std::remove(from->begin(), from->end(), value), from->end());
}

}  // namespace

bool isGameMessage(UINT message) {
  for (const InputAction& action : inputActions())
    if (message != 0 && (message == action.message || message == action.numLockMessage))
      return true;
  return false;
}

std::vector<uint16_t> KeyBindings::defaultKeys(int action) const {
  std::vector<uint16_t> keys;
  for (std::string_view code : words(table_[action].keys))
    keys.push_back(physicalKeyByCode(code)->usage);
  return keys;
}

void KeyBindings::reset() {
  keys_.assign(count_, {});
  pad_.assign(count_, {});
  for (size_t a = 0; a < count_; ++a) {
    keys_[a] = defaultKeys(static_cast<int>(a));
    for (std::string_view name : words(table_[a].pad)) pad_[a].push_back(padInputByName(name));
  }
}

void KeyBindings::bind(int action, const std::vector<uint16_t>& keys, const std::vector<int>& pad,
                       bool sharePad) {
  if (!keys.empty()) {
    for (auto& other : keys_)
      for (uint16_t key : keys) remove(&other, key);
    keys_[action] = keys;
  }
  if (!pad.empty()) {
    // An input the action already shares stays shared: giving an action
    // back what it has changes nothing.
    if (!sharePad)
      for (int input : pad)
        if (std::find(pad_[action].begin(), pad_[action].end(), input) == pad_[action].end())
          for (auto& other : pad_) remove(&other, input);
    pad_[action] = pad;
  }
  restoreEmpty();
}

// An action without keys takes back its free defaults, or failing that its
// first default from whoever holds it. A key taken back goes to the action
// whose default it is and is never taken again, so this ends.
void KeyBindings::restoreEmpty() {
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t a = 0; a < keys_.size(); ++a) {
      if (!keys_[a].empty()) continue;
      const std::vector<uint16_t> defaults = defaultKeys(static_cast<int>(a));
      for (uint16_t key : defaults)
        if (actionForKey(key) < 0) keys_[a].push_back(key);
      if (keys_[a].empty()) {
        for (auto& other : keys_) remove(&other, defaults.front());
        keys_[a].push_back(defaults.front());
      }
      changed = true;
    }
  }
}

bool KeyBindings::bind(int action, std::string_view list, std::string* error, bool sharePad,
                       const std::vector<std::string>* layoutNames) {
  std::vector<uint16_t> keys;
  std::vector<int> pad;
  bool noPad = false;
  for (std::string_view item : words(list, ",")) {
    // A line of --bindings reads back: "Keypad 4 (Numpad4)" names one key twice.
    const std::vector<std::string_view> names = words(item, " \t()");
    for (size_t at = 0; at < names.size();) {
      const std::string_view word = names[at];
      if (word == kNoPadInput) {
        noPad = true;
        ++at;
        continue;
      }
      if (word.size() > 4 && word.substr(0, 4) == "pad:") {
        int input = padInputByName(word.substr(4));
        if (input < 0) {
          *error = "unknown pad input '" + std::string(word.substr(4)) + "'";
          return false;
        }
        if (std::find(pad.begin(), pad.end(), input) == pad.end()) pad.push_back(input);
        ++at;
        continue;
      }
      auto [key, count] = keyAt(names, at, layoutNames);
      if (key == nullptr) {
        *error = "unknown key '" + std::string(word) + "'";
        return false;
      }
      if (std::find(keys.begin(), keys.end(), key->usage) == keys.end()) keys.push_back(key->usage);
      at += count;
    }
  }
  if (keys.empty() && pad.empty() && !noPad) {
    *error = "no key given";
    return false;
  }
  bind(action, keys, pad, sharePad);
  if (noPad && pad.empty()) pad_[action].clear();
  return true;
}

std::string KeyBindings::list(int action) const {
  std::string out;
  for (uint16_t usage : keys_[action]) {
    if (!out.empty()) out += ' ';
    out += physicalKeyByUsage(usage)->code;
  }
  for (int input : pad_[action]) {
    if (!out.empty()) out += ' ';
    out += "pad:";
    out += kPadInputNames[input];
  }
  // Said outright: a list without pad inputs would leave the defaults in place
  // (a table with no pad inputs at all, the viewer's, has nothing to say).
  const auto padless = [](const InputAction& a) { return a.pad[0] == '\0'; };
  if (pad_[action].empty() && !std::all_of(table_, table_ + count_, padless))
    out += out.empty() ? kNoPadInput : std::string(" ") + kNoPadInput;
  return out;
}

int KeyBindings::actionForKey(uint16_t usage) const {
  for (size_t a = 0; a < keys_.size(); ++a)
    if (std::find(keys_[a].begin(), keys_[a].end(), usage) != keys_[a].end())
      return static_cast<int>(a);
  return -1;
}

UINT KeyBindings::messageFor(uint16_t usage, bool numLock, UINT natural) const {
  const int bound = actionForKey(usage);
  if (bound < 0) return isGameMessage(natural) ? 0 : natural;
  const InputAction& action = table_[bound];
  const PhysicalKey* key = physicalKeyByUsage(usage);
  const bool keypad = key != nullptr && key->numLockMessage != 0;
  if (keypad && numLock && action.numLockMessage != 0) return action.numLockMessage;
  return action.message;
}

std::vector<UINT> KeyBindings::padMessages(int input) const {
  std::vector<UINT> messages;
  for (size_t a = 0; a < pad_.size(); ++a) {
    const UINT message = table_[a].message;
    if (message != 0 && std::find(pad_[a].begin(), pad_[a].end(), input) != pad_[a].end())
      messages.push_back(message);
  }
  return messages;
}

KeyBindings& keyBindings() {
  static KeyBindings bindings;
  return bindings;
}

KeyBindings& viewerKeyBindings() {
  static KeyBindings bindings(viewerActions());
  return bindings;
}
