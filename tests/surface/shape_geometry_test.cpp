#include "surface/shape_geometry.h"

#include <gtest/gtest.h>

#include <climits>

#include <algorithm>
#include <vector>

namespace {

using lumidraw::gfx::Point;
using namespace lumidraw::surface;

TEST(ShapeGeometry, RainbowDivisionCutsPiecesOfAboutTenPixels) {
  struct Case {
    Point a, b;
    std::vector<Point> ends;
  };
  const Case cases[] = {
      {{0, 0}, {4, 0}, {}},
      {{0, 0}, {3, 4}, {}},  // 5 pixels: round(0.5) is 0
      {{0, 0}, {25, 0}, {{12, 0}, {25, 0}}},
      {{0, 0}, {-15, 0}, {{-8, 0}, {-15, 0}}},
      {{7, 3}, {7, 3}, {}},
      {{0, 0},
       {100, 0},
       {{10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}, {60, 0}, {70, 0}, {80, 0}, {90, 0}, {100, 0}}},
      {{10, 10}, {40, 50}, {{16, 18}, {22, 26}, {28, 34}, {34, 42}, {40, 50}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rainbow_division(c.a, c.b), c.ends)
        << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
  }
}

TEST(ShapeGeometry, WholeDegreesCountCounterClockwiseFromEast) {
  struct Case {
    Point p;
    int degrees;
  };
  const Point c{50, 50};
  for (const Case& k :
       {Case{{60, 50}, 0}, Case{{50, 40}, 90}, Case{{40, 50}, 180}, Case{{50, 60}, 270},
        Case{{50, 50}, 270}, Case{{60, 40}, 45}, Case{{60, 60}, 315}, Case{{40, 40}, 135},
        // 359.94 degrees rounds to 360, which is 0.
        Case{{1050, 51}, 0}})
    EXPECT_EQ(whole_degrees(c, k.p), k.degrees) << k.p.x << "," << k.p.y;
}

TEST(ShapeGeometry, ArcEndRunsCounterClockwiseAndEqualDirectionsMakeAFullCircle) {
  EXPECT_EQ(arc_end(10, 80), 80);
  EXPECT_EQ(arc_end(350, 10), 370);
  EXPECT_EQ(arc_end(40, 40), 401);
  EXPECT_EQ(arc_end(0, 359), 359);
}

TEST(ShapeGeometry, ArcPointsLieOnTheCircleWithYDownward) {
  const Point c{50, 50};
  EXPECT_EQ(arc_point(c, 10, 0), (Point{60, 50}));
  EXPECT_EQ(arc_point(c, 10, 90), (Point{50, 40}));
  EXPECT_EQ(arc_point(c, 10, 180), (Point{40, 50}));
  EXPECT_EQ(arc_point(c, 10, 270), (Point{50, 60}));
  EXPECT_EQ(arc_point(c, 10, 370), arc_point(c, 10, 10));
  EXPECT_EQ(arc_point(c, 10, 45), (Point{57, 43}));
  // Exact halves at 30-degree steps go to the even neighbour, so odd circles stay
  // symmetric: r = 5 gives offsets of 2.5 -> 2 and 4.33 -> 4.
  const std::pair<int, Point> halves[] = {
      {30, {54, 48}},  {60, {52, 46}},  {120, {48, 46}}, {150, {46, 48}},
      {210, {46, 52}}, {240, {48, 54}}, {300, {52, 54}}, {330, {54, 52}},
  };
  for (const auto& [k, p] : halves) EXPECT_EQ(arc_point(c, 5, k), p) << k << " degrees";
  EXPECT_EQ(ellipse_point({-5, -3}, {5, 3}, 60), (Point{-2, 3}));
  // A centre far out saturates instead of overflowing.
  EXPECT_EQ(arc_point({INT_MAX - 2, 0}, 10, 0).x, INT_MAX);
  EXPECT_EQ(arc_radius(c, {53, 54}), 5);
  EXPECT_EQ(arc_radius(c, {55, 55}), 7);
}

TEST(ShapeGeometry, EllipseStartsAtThePressPointsXAtTheCentresHeight) {
  const Point p0{10, 20};
  const Point p1{30, 61};                                // centre (20, 40.5)
  EXPECT_EQ(ellipse_point(p0, p1, 0), (Point{10, 40}));  // 40.5 to the even 40
  EXPECT_EQ(ellipse_point(p0, p1, 90), (Point{20, 61}));
  EXPECT_EQ(ellipse_point(p0, p1, 180), (Point{30, 40}));
  EXPECT_EQ(ellipse_point(p0, p1, 270), (Point{20, 20}));
  EXPECT_EQ(ellipse_point(p0, p1, 360), ellipse_point(p0, p1, 0));
}

TEST(ShapeGeometry, AnEllipseDraggedBackwardsHasTheSamePoints) {
  const auto points = [](Point p0, Point p1) {
    std::vector<std::pair<int, int>> all;
    for (int k = 0; k <= 360; ++k) {
      const Point q = ellipse_point(p0, p1, k);
      all.emplace_back(q.x, q.y);
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  };
  EXPECT_EQ(points({10, 20}, {50, 40}), points({50, 40}, {10, 20}));
  EXPECT_EQ(points({10, 40}, {50, 20}), points({50, 20}, {10, 40}));
  EXPECT_EQ(ellipse_point({50, 40}, {10, 20}, 0), (Point{50, 30}));
}

}  // namespace
