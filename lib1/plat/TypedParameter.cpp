#include "lib1/plat/TypedParameter.h"

#include <cstdio>
#include <cstring>

#include "lib1/plat/Hex.h"

namespace plat {

namespace {

// Per value type: the name used in log lines, the text form, equality and a
// deep copy.
template <typename T>
struct ValueTraits;

template <>
struct ValueTraits<bool> {
  static constexpr const char* typeName = "Bool";
  static char* toStr(bool v) { return strDup(v ? "1" : "0"); }
  static bool equal(bool a, bool b) { return a == b; }
  static bool copy(bool v) { return v; }
};

template <>
struct ValueTraits<int> {
  static constexpr const char* typeName = "Int";
  static char* toStr(int v) {
    char buf[16];
    snprintf(buf, sizeof buf, "%d", v);
    return strDup(buf);
  }
  static bool equal(int a, int b) { return a == b; }
  static int copy(int v) { return v; }
};

template <>
struct ValueTraits<String> {
  static constexpr const char* typeName = "String";
  static char* toStr(const String& v) { return strDup(v.get()); }
  static bool equal(const String& a, const String& b) { return a == b; }
  static String copy(const String& v) { return v; }
};

template <>
struct ValueTraits<MBuf<unsigned char>> {
  static constexpr const char* typeName = "Binary";
  static char* toStr(const MBuf<unsigned char>& v) { return binToHexStr(v.view()); }
  static bool equal(const MBuf<unsigned char>& a, const MBuf<unsigned char>& b) {
    return a.length == b.length && (a.length == 0 || memcmp(a.data, b.data, a.length) == 0);
  }
  static MBuf<unsigned char> copy(const MBuf<unsigned char>& v) {
    if (v.length <= 0) return MBuf<unsigned char>();
    MBuf<unsigned char> bytes(new unsigned char[v.length], v.length);
    memcpy(bytes.data, v.data, v.length);
    return bytes;
  }
};

}  // namespace

template <typename T>
TypedParameter<T>::TypedParameter(const TypedParameter& other, Configuration* target)
    : ConfigParameter(other, target) {
  for (const auto& entry : other.values)
    values.emplace(entry.first, ValueTraits<T>::copy(entry.second));
}

template <typename T>
char* TypedParameter<T>::valueToStr(const T& value) const {
  return ValueTraits<T>::toStr(value);
}

template <typename T>
bool TypedParameter<T>::setValue(const T& value, int priority) {
  auto it = values.find(priority);
  if (it != values.end()) {
    if (ValueTraits<T>::equal(it->second, value)) return true;
    it->second = ValueTraits<T>::copy(value);
  } else {
    values.emplace(priority, ValueTraits<T>::copy(value));
  }
  if (configParamLog().enabled(LogWriter::LEVEL_DEBUG)) {
    String text = String::adopt(valueToStr(value));
    configParamLog().debug("set %s(%s) to %s, priority %d", name, ValueTraits<T>::typeName,
                           text.get(), priority);
  }
  notifyObservers(priority);
  return true;
}

template <typename T>
void TypedParameter<T>::unsetParam(int priority, bool notify) {
  if (priority == PRIORITY_DEFAULT) return;
  auto it = values.find(priority);
  if (it == values.end()) return;
  values.erase(it);
  if (configParamLog().enabled(LogWriter::LEVEL_DEBUG)) {
    String now = String::adopt(getValueStr());
    configParamLog().debug("unset %s(%s) priority %d, now %s, priority %d", name,
                           ValueTraits<T>::typeName, priority, now.get(), getPriority());
  }
  if (notify) notifyObservers(priority);
}

template <typename T>
char* TypedParameter<T>::getValueStr() const {
  return valueToStr(effective().second);
}

template <typename T>
std::map<int, String> TypedParameter<T>::getStringValues() const {
  std::map<int, String> out;
  for (const auto& entry : values) {
    out.emplace(entry.first, String::adopt(valueToStr(entry.second)));
  }
  return out;
}

template class TypedParameter<bool>;
template class TypedParameter<int>;
template class TypedParameter<String>;
template class TypedParameter<MBuf<unsigned char>>;

}  // namespace plat
