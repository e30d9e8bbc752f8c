#include "text/charset_detection.h"

#include <uchardet.h>

#include <memory>

namespace moraku {

QByteArray DetectCharset(QByteArrayView bytes) {
  const std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(
      uchardet_new(), &uchardet_delete);
  if (!detector) return QByteArray();
  // uchardet takes at most INT_MAX bytes a call.
  constexpr qsizetype kChunk = 1 << 20;
  for (qsizetype at = 0; at < bytes.size(); at += kChunk) {
    const QByteArrayView chunk = bytes.sliced(at, std::min(kChunk, bytes.size() - at));
    if (uchardet_handle_data(detector.get(), chunk.data(), static_cast<size_t>(chunk.size())) !=
        0) {
      return QByteArray();
    }
  }
  uchardet_data_end(detector.get());
  const char* name = uchardet_get_charset(detector.get());
  return name == nullptr ? QByteArray() : QByteArray(name);
}

}  // namespace moraku
