// The linkage an analysis panel shows, as the design window that owns the panel supplies it.
#pragma once

#include "base/types.h"

enum class LinkageKind {
  FourBarByKind,  // a hinged four-bar whose kind each command decides by ClassifyFourBar
  CrankRocker,    // a hinged four-bar the design made a crank-rocker (AB the crank)
  CrankSlider,
  GuideBar,
};

struct Linkage {
  LinkageKind kind = LinkageKind::CrankRocker;
  Extended AB = 0, BC = 0, CD = 0, AD = 0;  // hinged four-bar, mm
  Extended r = 0, l = 0, e = 0;             // crank-slider: crank, rod, offset; guide bar: crank r
  Extended d = 0;                           // guide bar: frame between the two pivots

  static Linkage FourBar(LinkageKind kind, Extended AB, Extended BC, Extended CD, Extended AD) {
    Linkage k;
    k.kind = kind;
    k.AB = AB, k.BC = BC, k.CD = CD, k.AD = AD;
    return k;
  }
  static Linkage CrankSlider(Extended r, Extended l, Extended e) {
    Linkage k;
    k.kind = LinkageKind::CrankSlider;
    k.r = r, k.l = l, k.e = e;
    return k;
  }
  static Linkage GuideBar(Extended r, Extended d) {
    Linkage k;
    k.kind = LinkageKind::GuideBar;
    k.r = r, k.d = d;
    return k;
  }
};
