// A 20 mm x 10 mm model (200 x 100 pixels at 254 dots per inch, 0.1 mm per
// pixel) for the overlay and mouse editing tests, with helpers that place
// items and turn metres into the model view's screen pixels.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/elix_doc.h"
#include "model/location_rules.h"
#include "model/material_property.h"
#include "support/temp_dir.h"

namespace elix::test {

struct ItemModel : ::testing::Test {
    static constexpr double kWidth = 0.020, kHeight = 0.010;  // m
    static constexpr double kPixel = 0.0001;                  // m per pixel

    TempDir dir;
    CElixDoc doc;
    std::vector<char> hints;  // redraw hints the views received

    void SetUp() override {
        doc.SetPathName(dir.Path("block.wmd"));
        ASSERT_TRUE(doc.CreateImage(200, 100, 254.0f, 254.0f, 100));
        ASSERT_TRUE(doc.AddItem(IsotropicMaterial("Steel", 100, 7800.0, 5900.0, 3200.0)));
        doc.AddViewObserver([this](char hint) { hints.push_back(hint); });
        doc.SetModifiedFlag(false);
    }

    ModelExtent Extent() const { return {kWidth, kHeight}; }

    template <class T>
    T Item(const std::string& name, double x1, double y1, double x2, double y2) const {
        T item;
        item.name = name;
        SetSegment(item, Segment{x1, y1, x2, y2});
        return item;
    }
    template <class T>
    void Add(const std::string& name, double x1, double y1, double x2, double y2) {
        ASSERT_TRUE(doc.AddItem(Item<T>(name, x1, y1, x2, y2))) << doc.MessageText();
    }

    // The screen position of a point in metres at zoom (unrounded).
    static double ScreenX(double x, double zoom) { return 150.0 + x / kPixel * zoom; }
    static double ScreenY(double y, double zoom) { return 25.0 + y / kPixel * zoom; }
};

}  // namespace elix::test
