# Sourced by scripts/test, its steps in scripts/test.d/ and scripts/monkey, from the root of the tree:
#   sanitizer_build asan|tsan TARGET...
# configures build-asan (AddressSanitizer + UndefinedBehaviorSanitizer) or build-tsan (ThreadSanitizer)
# and builds the targets given in it.
sanitizer_build() {
  local kind="$1"
  shift
  local sanitizers
  case "$kind" in
    asan) sanitizers=address,undefined ;;
    tsan) sanitizers=thread ;;
    *)
      echo "sanitizer_build: unknown kind '$kind' (asan or tsan)" >&2
      return 2
      ;;
  esac
  cmake -S . -B "build-$kind" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELMAR_SANITIZE="$sanitizers" >/dev/null
  cmake --build "build-$kind" -j "$(nproc)" --target "$@"
}
