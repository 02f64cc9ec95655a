// A started program on the offscreen platform with scripted services, as the
// GUI tests share it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "graph/tgrform.h"
#include "platform/qt/qtimage.h"
#include "settings/toptions.h"
#include "shell/startup.h"
#include "shell/tfunc.h"
#include "shell/tmainform.h"
#include "support/fakeservices.h"

class guitest : public ::testing::Test {
 protected:
  void SetUp() override { start(); }

  void start(tstartoptions o = {}) {
    tgrform::resetwindowcounter();
    if (o.inipath.empty()) o.inipath = "/nonexistent/tarnelo-test/QV.INI";
    main = startprogram(services, images, o);
    main->show();
    QApplication::processEvents();
  }

  tgrform& active() { return *main->activewindow; }
  tfunc& func() { return main->func(); }
  QString item(const char* name) { return main->commands().item(name)->text(); }
  bool enabled(const char* name) { return main->commands().item(name)->isEnabled(); }
  bool checked(const char* name) { return main->commands().item(name)->isChecked(); }

  platform::colour pixel(tgrform& w, int x, int y) {
    return w.coords.image->canvas().getpixel(x, y);
  }

  fakeservices services;
  platform::qtimagefactory images;
  std::unique_ptr<tmainform> main;
};
