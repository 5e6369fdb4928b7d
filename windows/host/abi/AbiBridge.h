// What the bridges that make-abi-bridge writes (AbiBridge.cpp in the build
// folder) are built from.
#ifndef VHOST_ABIBRIDGE_H
#define VHOST_ABIBRIDGE_H

#include <new>
#include <type_traits>

#include "Orbitersdk.h"
#include "SketchpadView.h"
#include "vhost/ModuleInterface.h"

// What a module's compiler makes of a call to a non-variadic member on
// 32-bit Windows: `this` in a register, the callee clearing the stack
// (thiscall). A bridge standing in for a member is a free function taking
// `this` first, and is declared so; on 64-bit Windows both ABIs have one
// convention.
#if defined(__i386__)
#define VH_ABI_MEMBER __attribute__((thiscall))
#else
#define VH_ABI_MEMBER
#endif

namespace vhost {
namespace abi {

// Spells any type where a name follows it, function pointers included.
template <class T>
using Type = T;

// A slot of the sketchpad view's virtual table: the module calls it as a
// member of the view, with the view as `this`, and it calls the host's
// sketchpad through the host's own virtual table. A record returned by value
// would come back by another convention; none of the drawing calls returns
// one.
template <auto Method>
struct SketchpadCall;

template <class R, class... A, R (oapi::Sketchpad::*Method)(A...)>
struct SketchpadCall<Method> {
  static_assert(!std::is_class<R>::value && !std::is_union<R>::value, "a record returned by value");
  static R VH_ABI_MEMBER call(detail::ModuleSketchpad *view, A... a) { return (view->host()->*Method)(a...); }
};

template <class R, class... A, R (oapi::Sketchpad::*Method)(A...) const>
struct SketchpadCall<Method> {
  static_assert(!std::is_class<R>::value && !std::is_union<R>::value, "a record returned by value");
  static R VH_ABI_MEMBER call(const detail::ModuleSketchpad *view, A... a) { return (view->host()->*Method)(a...); }
};

// The destructor's slot (the module's compiler makes it a deleting
// destructor, taking flags): a module never destroys the view it is lent.
inline void *VH_ABI_MEMBER keepSketchpad(detail::ModuleSketchpad *view, unsigned) { return view; }

}  // namespace abi
}  // namespace vhost

using vhost::abi::Type;

#define VH_SKETCHPAD_DESTRUCTOR reinterpret_cast<const void *>(&vhost::abi::keepSketchpad)
#define VH_SKETCHPAD_CALL(name) \
  reinterpret_cast<const void *>(&vhost::abi::SketchpadCall<&oapi::Sketchpad::name>::call)

#endif  // VHOST_ABIBRIDGE_H
