# Sourced by the programming benchmarks: sets page and size for memory code
# $1 and writes a full image of random sound to $2 that programming accepts.
full_image() {
  case $1 in
    0|1|2|3|4) page=256 ;;
    5|6) page=512 ;;
    7) page=1024 ;;
    *) echo "memory code 0..7" >&2; exit 2 ;;
  esac
  size=$((65536 << $1))
  # Random bytes, a header whose parameter block is page 1 with interface 1,
  # and the memory code in place of the last byte (file rule for a full
  # image).
  head -c $((size - 1)) /dev/urandom > "$2"
  printf '\001\000' | dd of="$2" bs=1 seek=0 conv=notrunc 2>/dev/null
  # An empty directory: random entries would point anywhere, and such an
  # image is refused before the port is opened.
  printf '\377\377' | dd of="$2" bs=1 seek=4 conv=notrunc 2>/dev/null
  printf '\044\000\000\000\001' | dd of="$2" bs=1 seek="$page" conv=notrunc 2>/dev/null
  printf "\\$(printf '%03o' "$1")" >> "$2"
}
