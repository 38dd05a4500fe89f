// A bound method reference: a member function together with its target
// object. Two references are equal when both the code and the target match,
// which lets a setter recognise that the same handler is assigned again.
#pragma once

template <typename... Args>
class TMethod {
 public:
  TMethod() = default;

  template <auto Member, typename Target>
  static TMethod Of(Target& target) {
    return TMethod(&target, [](void* object, Args... args) { (static_cast<Target*>(object)->*Member)(args...); });
  }

  explicit operator bool() const { return FCode != nullptr; }
  // The object the method is bound to.
  const void* Target() const { return FTarget; }
  void operator()(Args... args) const { FCode(FTarget, args...); }
  friend bool operator==(const TMethod&, const TMethod&) = default;

 private:
  using TCode = void (*)(void*, Args...);
  TMethod(void* target, TCode code) : FTarget(target), FCode(code) {}

  void* FTarget = nullptr;
  TCode FCode = nullptr;
};
