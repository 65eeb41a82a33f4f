// The property dialogs of the objects: the tables of their button groups,
// the colour group, and the help pages the dialogs open.
#pragma once

#include "dialogitems.h"
#include "object.h"

// The colour buttons, for colour indices 0 to 5 (black, blue, pink, green,
// cyan, brown).
extern const int id_colors[ObjectColors::N];
// The line type buttons Normal, Fat and Thin, for line types 0, 1 and 2.
extern const int id_linetypes[3];
// The point type buttons and the point symbols they stand for.
extern const int radios[4];
extern const int markertypes[4];

// The colour group of a property dialog: one button per named colour, and
// "Other..." for a colour of any value, chosen in the colour chooser.
class ObjectColorItem : public RadioItem {
  public:
    ObjectColorItem(Dialog& d, long color)
        : RadioItem(id_colors, ObjectColors::N,
                    ObjectColors::custom(color) ? -1 : ObjectColors::valid(static_cast<int>(color)),
                    d),
          Value(color), Other(d, *this) {}
    void changed() override { Value = Sel; }
    long Value; // the colour chosen: an index, or a colour of any value

  private:
    class OtherButton : public Dialogitem {
      public:
        OtherButton(Dialog& d, ObjectColorItem& c) : Dialogitem(OtherColor, d), C(&c) {}
        int command(int code) override;
        ObjectColorItem* C;
    };
    OtherButton Other;

  public:
    enum { OtherColor = 146 };
};

// The help pages of the property dialogs.
enum {
    PointHelp = 9,
    LineHelp = 10,
    CircleHelp = 11,
    AngleHelp = 12,
    ArcHelp = 19,
    RegionHelp = 20,
    NumberHelp = 22,
    CalculationHelp = 23,
    SliderHelp = 24,
    CheckBoxHelp = 25,
    TextHelp = 26,
    LocusHelp = 28
};

// The property dialog of a number or a text; 1 when it ended with OK.
int editnumber(Object* o);

// Names longer than this cannot be read back from a construction file.
const int MaxName = 63;
