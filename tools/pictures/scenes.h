#pragma once
// The sixteen puzzle pictures, each drawn at its final size in full colour.

#include <QImage>

namespace pictures {

QImage mountainLake(int w, int h);
QImage harbour(int w, int h);
QImage cityAtNight(int w, int h);
QImage fruitStillLife(int w, int h);
QImage catOnRug(int w, int h);
QImage balloons(int w, int h);
QImage lighthouse(int w, int h);
QImage autumnForest(int w, int h);
QImage reef(int w, int h);
QImage flowerGarden(int w, int h);
QImage butterfly(int w, int h);
QImage countryTrain(int w, int h);
QImage patchworkQuilt(int w, int h);
QImage fractal(int w, int h);
QImage stainedGlass(int w, int h);
QImage villageStreet(int w, int h);

}  // namespace pictures
