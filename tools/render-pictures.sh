#!/usr/bin/env bash
# Renders the picture library with Qt's own SVG renderer, for looking at it:
#   tools/render-pictures.sh [OUTDIR] [SCALE]
# writes OUTDIR/pictures@SCALE.png (every icon and control) and
# OUTDIR/frame-<skin>@SCALE.png (the five frame pieces and the menu marker of
# each skin put together at the window's geometry, with sample menu text).
# Needs cmake, a C++ compiler and the Qt 6 Gui and Svg development files.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$here/build/pictures"}
scale=${2:-1}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/CMakeLists.txt" <<'CM'
cmake_minimum_required(VERSION 3.25)
project(render_pictures LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
add_executable(render_pictures main.cpp)
target_link_libraries(render_pictures Qt6::Gui Qt6::Svg)
CM

cat >"$work/main.cpp" <<'CPP'
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

static int problems = 0;

static void draw(QPainter &p, const QString &file, const QRectF &r) {
  QSvgRenderer svg(file);
  if (!svg.isValid()) { std::fprintf(stderr, "cannot render %s\n", qPrintable(file)); ++problems; return; }
  svg.render(&p, r);
}

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argv[1], out = argv[2];
  const double s = QString(argv[3]).toDouble();
  QFont font("DejaVu Sans");
  font.setPixelSize(10);

  // contact sheet of everything that is not a frame piece
  QStringList names;
  for (const QString &f : QDir(dir).entryList({"*.svg"}, QDir::Files, QDir::Name)) {
    const QString n = f.chopped(4);
    static const QStringList frame = {"TopLeft", "Top", "Left", "Right", "Down", "BotonMenu"};
    bool isFrame = false;
    for (const QString &k : frame) isFrame |= (n.size() == k.size() + 1 && n.endsWith(k));
    if (!isFrame) names << n;
  }
  const int cols = 8, cellW = int(120 * s), cellH = int(48 * s) + 24;
  QImage sheet(cols * cellW, ((names.size() + cols - 1) / cols) * cellH, QImage::Format_ARGB32);
  sheet.fill(QColor(246, 247, 249));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(font);
  for (int i = 0; i < names.size(); ++i) {
    QSvgRenderer svg(dir + "/" + names[i] + ".svg");
    QSizeF size = QSizeF(svg.defaultSize()) * s;
    if (size.width() > cellW - 8) size.scale(cellW - 8, size.height(), Qt::KeepAspectRatio);
    const int x = (i % cols) * cellW, y = (i / cols) * cellH;
    draw(p, dir + "/" + names[i] + ".svg", QRectF(x + (cellW - size.width()) / 2, y + 4, size.width(), size.height()));
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRect(x, y + cellH - 18, cellW, 16), Qt::AlignCenter, names[i]);
  }
  p.end();
  sheet.save(out + QString("/pictures@%1.png").arg(s));

  // each skin's frame, assembled
  const QStringList menu = {"Summary", "User", "Computer", "Operating system", "Processor", "RAM", "Hard drives",
                            "Bios", "Display", "Keyboard and mouse", "Removable memory", "CDs/DVDs", "Others hardware"};
  const struct { const char *letter, *name; QColor title; } skins[] = {
      {"W", "Blue", QColor(0, 66, 221)}, {"E", "Green", QColor(0, 145, 0)},
      {"A", "Pink", QColor(255, 25, 147)}, {"O", "Violet", QColor(240, 30, 240)}};
  for (const auto &k : skins) {
    const QString L = k.letter;
    QImage img(int(780 * s), int(540 * s), QImage::Format_ARGB32);
    img.fill(QColor(246, 247, 249));
    QPainter w(&img);
    w.setRenderHint(QPainter::Antialiasing);
    w.scale(s, s);
    draw(w, dir + "/" + L + "TopLeft.svg", QRectF(0, 0, 210, 60));
    draw(w, dir + "/" + L + "Top.svg", QRectF(210, 0, 570, 60));
    draw(w, dir + "/" + L + "Left.svg", QRectF(0, 60, 210, 480));
    draw(w, dir + "/" + L + "Right.svg", QRectF(772, 60, 8, 472));
    draw(w, dir + "/" + L + "Down.svg", QRectF(210, 532, 570, 8));
    draw(w, dir + "/" + L + "BotonMenu.svg", QRectF(7, 66 + 3 * 28, 196, 28));
    QFont mf("DejaVu Sans");
    mf.setPixelSize(13);
    w.setFont(mf);
    w.setPen(QColor(250, 250, 250));
    w.drawText(QRect(18, 36, 120, 20), Qt::AlignVCenter, "Options");
    for (int i = 0; i < 13; ++i) w.drawText(QRect(20, 66 + i * 28, 180, 28), Qt::AlignVCenter, menu[i]);
    mf.setPixelSize(20);
    mf.setBold(true);
    w.setFont(mf);
    w.setPen(k.title);
    w.drawText(QRect(232, 72, 400, 40), Qt::AlignVCenter, menu[3]);
    draw(w, dir + "/Sec4.svg", QRectF(700, 70, 48, 48));
    draw(w, dir + "/ILine.svg", QRectF(232, 124, 500, 2));
    w.end();
    img.save(out + QString("/frame-%1@%2.png").arg(k.name).arg(s));
  }
  return problems ? 1 : 0;
}
CPP

cmake -S "$work" -B "$work/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$work/build/render_pictures" "$here/ui/pictures" "$out" "$scale"
echo "pictures rendered into $out"
