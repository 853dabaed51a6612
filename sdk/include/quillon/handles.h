// Reference-holding handles for compiled images. A handle owns one
// reference: copying locks the value, assignment locks the new value before
// unlocking the old, and leaving the scope unlocks it. Function results
// already carry a reference (Adopt them); arguments and static strings are
// borrowed (Borrow adds the handle's own reference).
#pragma once

#include "quillon/entrypoints.h"

namespace quillon {

class String {
 public:
  String() = default;
  String(decltype(nullptr)) {}
  String(const String& other) : s_(other.s_) { RuntimeLockString(s_); }
  String(String&& other) : s_(other.s_) { other.s_ = nullptr; }
  ~String() { RuntimeUnlockString(s_); }

  String& operator=(const String& other) {
    RuntimeLockUnlockStrings(other.s_, s_);
    s_ = other.s_;
    return *this;
  }
  String& operator=(String&& other) {
    if (this != &other) {
      RuntimeUnlockString(s_);
      s_ = other.s_;
      other.s_ = nullptr;
    }
    return *this;
  }

  // Takes over the reference a runtime function returned.
  static String Adopt(RuntimeString* result) {
    String s;
    s.s_ = result;
    return s;
  }
  // Adds a reference to a borrowed string (an argument, QL_STR(...)).
  static String Borrow(RuntimeString* borrowed) {
    String s;
    s.s_ = RuntimeLockString(borrowed);
    return s;
  }

  RuntimeString* get() const { return s_; }
  // Hands the reference on (a function result of the image's own).
  RuntimeString* release() {
    RuntimeString* s = s_;
    s_ = nullptr;
    return s;
  }
  bool empty() const { return s_ == nullptr; }
  int32_t length() const { return s_ == nullptr ? 0 : s_->length; }

 private:
  RuntimeString* s_ = nullptr;
};

inline String operator+(const String& left, const String& right) {
  return String::Adopt(RuntimeAddString(left.get(), right.get()));
}
// The language's comparison (case-insensitive for text).
inline bool operator==(const String& left, const String& right) {
  return RuntimeStringCompare(left.get(), right.get()) == 0;
}

// T is RuntimeObject or an instance layout deriving from it.
template <class T = RuntimeObject>
class Ref {
 public:
  Ref() = default;
  Ref(decltype(nullptr)) {}
  Ref(const Ref& other) : p_(other.p_) { Lock(p_); }
  Ref(Ref&& other) : p_(other.p_) { other.p_ = nullptr; }
  ~Ref() { Unlock(p_); }

  Ref& operator=(const Ref& other) {
    if (p_ != other.p_) {
      Lock(other.p_);
      Unlock(p_);
      p_ = other.p_;
    }
    return *this;
  }
  Ref& operator=(Ref&& other) {
    if (this != &other) {
      Unlock(p_);
      p_ = other.p_;
      other.p_ = nullptr;
    }
    return *this;
  }
  Ref& operator=(decltype(nullptr)) {
    Unlock(p_);
    p_ = nullptr;
    return *this;
  }

  static Ref Adopt(T* result) {
    Ref r;
    r.p_ = result;
    return r;
  }
  static Ref Borrow(T* borrowed) {
    Ref r;
    r.p_ = borrowed;
    Lock(borrowed);
    return r;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T* release() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }
  // The variable itself, for the runtime to store a value with its reference
  // (the exception slot of a protected call). Must be nil when handed out.
  RuntimeObject** slot() { return reinterpret_cast<RuntimeObject**>(&p_); }

 private:
  static RuntimeObject* Base(T* p) { return static_cast<RuntimeObject*>(p); }
  static void Lock(T* p) {
    if (p != nullptr) RuntimeLockObject(Base(p));
  }
  static void Unlock(T* p) {
    if (p != nullptr) RuntimeUnlockObject(Base(p));
  }

  T* p_ = nullptr;
};

using Object = Ref<RuntimeObject>;

}  // namespace quillon
