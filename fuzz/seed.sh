#!/usr/bin/env bash
# Seeds for the fuzz targets from the shared corpus of real movies:
#   DIR/movie  a sample of whole SWF files (read_movie_fuzz)
#   DIR/tag    single tags cut from those files: code (u16, little-endian), then the body
#              (read_tag_fuzz)
# DIR must lie outside the repository: the corpus files are test data only.
# Usage: fuzz/seed.sh DIR
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
dir=$(realpath -m "$1")
root=$(realpath "$(dirname "$0")/..")
corpus=$root/../shared/corpus
case "$dir/" in
  "$root"/*) echo "$0: $dir lies inside the repository" >&2; exit 2 ;;
esac
mkdir -p "$dir/movie" "$dir/tag"
if [ ! -f "$corpus/INDEX.tsv" ]; then
  echo "$0: no corpus at $corpus; the fuzzers start from nothing" >&2
  exit 0
fi

# Every fifth movie under 256 KB, and every one of the deliberately malformed ones.
awk -F'\t' 'NR > 1 && $1 ~ /\.swf$/ && $3 < 262144 && (NR % 5 == 0 || $1 ~ /^ruffle\/swf-crate\//) { print $1 }' \
  "$corpus/INDEX.tsv" |
  while IFS= read -r movie; do
    cp "$corpus/$movie" "$dir/movie/$(echo "$movie" | tr '/' '_')"
  done

if ! command -v python3 > /dev/null; then
  echo "$0: python3 not found; no tag seeds" >&2
  exit 0
fi
python3 - "$dir/movie" "$dir/tag" << 'PY'
# Cuts every tag (root and sprite timelines) out of the sampled movies, at most 24 per code.
import hashlib, os, struct, sys, zlib

movies, out = sys.argv[1], sys.argv[2]
kept = {}

def tags(data, at, end):
    while at + 2 <= end:
        head, = struct.unpack_from('<H', data, at)
        code, length, at = head >> 6, head & 63, at + 2
        if length == 63:
            if at + 4 > end:
                return
            length, = struct.unpack_from('<I', data, at)
            at += 4
        body = data[at:min(at + length, end)]
        yield code, body
        if code == 39 and len(body) > 4:
            yield from tags(body, 4, len(body))
        if code == 0:
            return
        at += length

for name in sorted(os.listdir(movies)):
    data = open(os.path.join(movies, name), 'rb').read()
    if len(data) < 8 or data[1:3] != b'WS':
        continue
    if data[:1] == b'C':
        try:
            data = data[:8] + zlib.decompressobj().decompress(data[8:], 16 << 20)
        except zlib.error:
            continue
    elif data[:1] != b'F':
        continue
    rect_bits = data[8] >> 3 if len(data) > 8 else 0
    start = 8 + (5 + 4 * rect_bits + 7) // 8 + 4
    for code, body in tags(data, start, len(data)):
        if kept.get(code, 0) >= 24 or len(body) > 65536:
            continue
        kept[code] = kept.get(code, 0) + 1
        seed = struct.pack('<H', code) + body
        digest = hashlib.sha1(seed).hexdigest()[:16]
        open(os.path.join(out, f'{code:03d}-{digest}'), 'wb').write(seed)
PY
echo "$0: $(ls "$dir/movie" | wc -l) movies, $(ls "$dir/tag" | wc -l) tags in $dir"
