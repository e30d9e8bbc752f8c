#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include "render/image_names.h"

// Placeholder until the real drawing lands: plain images of the right sizes.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3) return 2;
  QDir().mkpath(argv[1]);
  QDir().mkpath(argv[2]);
  for (const QString& name : moraku::AllImageNames()) {
    QImage img(23, 23, QImage::Format_RGB32);
    img.fill(Qt::yellow);
    img.save(QString(argv[1]) + "/" + name, name.endsWith("jpg") ? "JPG" : "PNG");
  }
  for (const char* n : {"end_indicator.png", "menu_title.png", "button_instructions.png",
                        "button_quit.png", "child.png", "moraku.png"}) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    img.save(QString(argv[2]) + "/" + n);
  }
  return 0;
}
