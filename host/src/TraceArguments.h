// How the arguments of a traced call become trace values: numbers, vectors,
// texts and host handles as they are, records as lists of their numbers.
// Apart from the core because the SDK functions build some of their trace
// arguments themselves (a record given by pointer, a material's numbers).
#ifndef VHOST_TRACEARGUMENTS_H
#define VHOST_TRACEARGUMENTS_H

#include <initializer_list>
#include <type_traits>

#include "Handles.h"
#include "vhost/Simulation.h"

namespace vhost {
namespace detail {

inline TraceValue traceList(std::initializer_list<double> values) {
  TraceValue v;
  v.kind = TraceValue::List;
  v.list.assign(values);
  return v;
}

inline TraceValue traceVectorPtr(const VECTOR3 *p) {
  TraceValue v;
  if (p) {
    v.kind = TraceValue::Vector;
    v.vec = *p;
  }
  return v;
}

template <class T>
TraceValue toTrace(const T &a) {
  TraceValue v;
  if constexpr (std::is_same_v<T, TraceValue>) {
    v = a;
  } else if constexpr (std::is_same_v<T, bool>) {
    v.kind = TraceValue::Bool;
    v.b = a;
  } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
    v.kind = TraceValue::Int;
    v.i = (long long)a;
  } else if constexpr (std::is_floating_point_v<T>) {
    v.kind = TraceValue::Number;
    v.number = double(a);
  } else if constexpr (std::is_same_v<T, VECTOR3>) {
    v.kind = TraceValue::Vector;
    v.vec = a;
  } else if constexpr (std::is_same_v<T, COLOUR4>) {
    v = traceList({a.r, a.g, a.b, a.a});
  } else if constexpr (std::is_same_v<T, char *> || std::is_same_v<T, const char *>) {
    if (a) {
      v.kind = TraceValue::String;
      v.text = a;
    }
  } else if constexpr (std::is_pointer_v<T>) {
    long long idx = handleIndex(reinterpret_cast<const void *>(a));
    if (idx >= 0) {
      v.kind = TraceValue::Int;
      v.i = idx;
    }
  } else {
    static_assert(std::is_pointer_v<T>, "no trace form for this argument type");
  }
  return v;
}

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_TRACEARGUMENTS_H
