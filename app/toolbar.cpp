#include "toolbar.h"
#include "bars.h"
#include "mainwindow.h"
#include "object.h"
#include "resources.h"

#include <string>

Tools tools;

const int idm_actions[ToolButtons] = {
    2001, 2004, 2002, 2003, 2005, 2006, 3020, 2010, 3001, 3002, 3003, 7018, 2007, 2008,
    2009, 3004, 3005, 2101, 2102, 2103, 2104, 2105, 2106, 2107, 2108, 2109, 2110, 2111,
    2112, 2113, 2114, 2115, 2123, 2116, 2117, 2118, 2119, 2120, 2121, 2122, 2124, 2125};
const int idm_colors[6] = {7012, 7015, 7014, 7013, 7017, 7016};

namespace {

// The button images, our own artwork: 24 x 24 SVG drawings.
std::string svg(const std::string& body) {
    return "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24' "
           "viewBox='0 0 24 24' fill='none' stroke='black' stroke-width='1.5'>" +
           body + "</svg>";
}

const std::string dot(double x, double y) {
    return "<rect x='" + std::to_string(x - 2) + "' y='" + std::to_string(y - 2) +
           "' width='4' height='4' fill='white'/>";
}

const std::string colour(const char* rgb) {
    return svg(std::string("<rect x='5' y='5' width='14' height='14' fill='") + rgb + "'/>");
}

// The tool tip of each tool button: the tools of the first row, then the
// constructions and maps added after them, then the shapes.
int tooltext(int i) {
    return i < 17   ? 99 + i
           : i < 26 ? 172 + (i - 17)
           : i < 32 ? 207 + (i - 26)
           : i < 33 ? 257
           : i < 38 ? 238 + (i - 33)
           : i < 39 ? 245
           : i < 40 ? 252
           : i < 41 ? 260
                    : 262;
}

const int nimages = ToolButtons + 8;

const std::string images[nimages] = {
    svg(dot(12, 12)),                                                          // point
    svg("<line x1='1' y1='19' x2='23' y2='5'/>" + dot(7, 15) + dot(17, 9)),    // line
    svg("<line x1='5' y1='17' x2='19' y2='7'/>" + dot(5, 17) + dot(19, 7)),    // segment
    svg("<line x1='5' y1='17' x2='23' y2='4'/>" + dot(5, 17) + dot(14, 10.5)), // ray
    svg("<circle cx='12' cy='12' r='8'/>" + dot(12, 12) + dot(20, 12)),        // circle
    svg("<circle cx='10' cy='13' r='7'/><line x1='15' y1='4' x2='22' y2='4'/>" + dot(10, 13)),
    svg("<line x1='2' y1='20' x2='22' y2='4'/><line x1='2' y1='4' x2='22' y2='20'/>" +
        dot(12, 12)),                                        // cut
    svg("<circle cx='12' cy='12' r='8'/>" + dot(17.7, 6.3)), // on object
    svg("<path d='M12 3v18M3 12h18M12 3l-3 3M12 3l3 3M12 21l-3-3M12 21l3-3M3 12l3-3M3 12l3 3"
        "M21 12l-3-3M21 12l-3 3'/>"), // move
    svg("<circle cx='12' cy='12' r='8' stroke-dasharray='2 2'/>" + dot(12, 4) +
        "<path d='M15 3l3 2-3 2'/>"), // move on
    svg("<path d='M3 19c4-10 8 2 12-6s5-6 6-8' stroke-dasharray='1.5 2'/>" + dot(21, 5)),
    svg("<line x1='3' y1='17' x2='21' y2='7'/>" + dot(3, 17) + dot(21, 7) + dot(12, 12)),
    svg("<line x1='2' y1='18' x2='22' y2='18'/><line x1='12' y1='2' x2='12' y2='22'/>"
        "<path d='M12 14h4v4'/>"), // vertical
    svg("<line x1='2' y1='16' x2='22' y2='8'/><line x1='2' y1='22' x2='22' y2='14'/>"),
    svg("<path d='M3 20h18M3 20l12-14'/><path d='M10 20a7 7 0 0 0-2-5'/>"), // angle
    svg("<path d='M4 20l2-6 10-10 4 4-10 10z'/><line x1='14' y1='6' x2='18' y2='10'/>"),
    svg("<path d='M2 12s4-7 10-7 10 7 10 7-4 7-10 7S2 12 2 12z'/><circle cx='12' cy='12' "
        "r='3'/><line x1='4' y1='21' x2='20' y2='3'/>"), // hide
    svg("<circle cx='12' cy='12' r='8'/>" + dot(12, 4) + dot(5.1, 16) +
        dot(18.9, 16)), // circle through three points
    svg("<path d='M3 20h18M3 20l10-16'/><path d='M3 20l17-9.4' stroke-dasharray='2 1.5'/>" +
        dot(3, 20)), // angle bisector
    svg("<line x1='4' y1='18' x2='20' y2='6'/><line x1='6' y1='4' x2='18' y2='20' "
        "stroke-dasharray='2 1.5'/>" +
        dot(4, 18) + dot(20, 6)), // perpendicular bisector
    svg("<circle cx='15' cy='12' r='6'/><path d='M2 12l14.3-7.45M2 12l14.3 7.45'/>" +
        dot(2, 12)),                                                     // tangents
    svg("<path d='M4 19l15-13M16.7 12.6L19 6l-6.9 1.3'/>" + dot(4, 19)), // vector
    svg("<path d='M12 2v20' stroke-dasharray='2 1.5'/><path d='M4 17h5V8zM20 17h-5V8z'/>"),
    svg("<path d='M6 18h15M6 18l7.5-13'/><path d='M17 18A11 11 0 0 0 11.5 8.5' "
        "stroke-dasharray='2 1.5'/><path d='M11.2 12l0.3-3.5 3 1.8'/>" +
        dot(6, 18)), // rotation
    svg("<path d='M3 21h6l-6-6zM13 11h6l-6-6z'/><path d='M8 14l8-8M12.5 6.5H16V10'/>"),
    svg("<path d='M3 21l18-18' stroke-dasharray='2 1.5'/><path d='M7 17h4l-4-4zM12 12h9l-9-9z'/>" +
        dot(3, 21)), // dilation
    svg("<path d='M4 19l4-14 12 4-3 10z' fill='#c8c8c8'/>" + dot(4, 19) + dot(8, 5) + dot(20, 9) +
        dot(17, 19)), // polygon
    svg("<path d='M8 20h8l4-7-4-7H8l-4 7z' fill='#c8c8c8'/>" + dot(8, 20) + dot(16, 20)),
    svg("<path d='M4 16A9 9 0 0 1 20 16'/>" + dot(4, 16) + dot(12, 8) + dot(20, 16)), // arc3
    svg("<path d='M20 14A8 8 0 0 0 12 6'/><path d='M12 14h8M12 14V6' stroke-dasharray='2 1.5'/>" +
        dot(12, 14) + dot(20, 14) + dot(12, 6)),                         // arc with centre
    svg("<path d='M3 15A9 9 0 0 1 21 15'/>" + dot(3, 15) + dot(21, 15)), // semicircle
    svg("<path d='M6 18h14A14 14 0 0 0 16 8.1z' fill='#c8c8c8'/>" + dot(6, 18) + dot(20, 18) +
        dot(16, 8.1)), // sector
    svg("<path d='M12 14H3A9 9 0 0 1 18.4 7.6z' fill='#c8c8c8'/>" + dot(3, 14) + dot(7.5, 6.2) +
        dot(18.4, 7.6)), // sector through three points
    svg("<path d='M3 17h18M3 14v6M21 14v6'/><text x='12' y='11' font-size='9' fill='black' "
        "stroke='none' text-anchor='middle'>1.5</text>"), // measure
    svg("<line x1='3' y1='12' x2='21' y2='12'/><rect x='12' y='8' width='4' height='8' "
        "fill='black'/>"),                                                      // slider
    svg("<rect x='4' y='4' width='16' height='16'/><path d='M7 12l4 4 6-8'/>"), // check box
    svg("<text x='12' y='16' font-size='12' fill='black' stroke='none' "
        "text-anchor='middle'>=x</text>"), // calculate
    svg("<text x='12' y='18' font-size='16' fill='black' stroke='none' "
        "text-anchor='middle'>T</text>"), // text
    svg("<circle cx='12' cy='12' r='8'/><path d='M12 12h8'/><text x='14' y='10' font-size='7' "
        "fill='black' stroke='none'>r</text>" +
        dot(12, 12)), // circle with radius
    svg("<path d='M12 4C5 4 3 10 6 14s9 6 12 2 2-12-6-12z' stroke-dasharray='1.5 1.5'/>"
        "<line x1='3' y1='21' x2='21' y2='21'/>" +
        dot(18, 16) + dot(9, 21)), // locus
    svg("<line x1='2' y1='20' x2='22' y2='4' stroke-dasharray='2 1.5'/>" + dot(5, 17.6) +
        dot(12, 12) + dot(19, 6.4) +
        "<text x='4' y='9' font-size='9' fill='black' stroke='none'>?</text>"), // relation
    svg("<circle cx='10' cy='10' r='6'/><line x1='14.5' y1='14.5' x2='21' y2='21' "
        "stroke-width='2.5'/>" +
        dot(10, 10)), // discover
    colour("#000000"),
    colour("#0000a0"),
    colour("#8c0000"),
    colour("#00a000"),
    colour("#008c8c"),
    colour("#8c00a0"),
    svg("<path d='M3 19c4-10 8 2 12-6' stroke-dasharray='1.5 2'/><path d='M14 14l7 7M21 14l-7 "
        "7'/>"), // clear tracks
    svg("<path d='M2 12s4-7 10-7 10 7 10 7-4 7-10 7S2 12 2 12z'/><circle cx='12' cy='12' "
        "r='3' fill='black'/>"), // show all
};

const char* imagetexts[nimages];

int indexof(const int* table, int n, int id) {
    for (int i = 0; i < n; ++i)
        if (table[i] == id) return i;
    return -1;
}

} // namespace

void Tools::init(Window& w) {
    for (int i = 0; i < nimages; ++i) imagetexts[i] = images[i].c_str();
    definebitmap(1, imagetexts, nimages);
    static Buttons b;
    if (b.size() == 0) {
        for (int i = 0; i < ToolButtons; ++i) {
            if (i == 17 || i == 26) b.addseparator();
            b.addbutton(idm_actions[i], String(tooltext(i)).text());
        }
        b.addseparator();
        // Each colour button says its colour: "Default Color: Blue".
        const char* const names[6] = {"Black", "Blue", "Brown", "Green", "Cyan", "Pink"};
        for (int i = 0; i < 6; ++i)
            b.addbutton(idm_colors[i], (std::string(String(116).text()) + ": " + names[i]).c_str());
        b.addseparator();
        b.addbutton(2011, String(117).text());
        b.addcheck(4001, String(118).text());
    }
    Tb = new ToolBar(static_cast<StandardWindow&>(w), 1, b, 6000);
}

void Tools::inform(const char* text) {
    if (window.Status) window.Status->settext(text, 0);
}

void Tools::set(int id) {
    if (!Tb) return;
    int i = indexof(idm_actions, ToolButtons, id);
    if (i >= 0) {
        if (Tn >= 0) Tb->release(idm_actions[Tn]);
        Tn = i;
        Tb->press(id);
    }
    i = indexof(idm_colors, 6, id);
    if (i >= 0) {
        if (Cn >= 0) Tb->release(idm_colors[Cn]);
        Cn = i;
        Tb->press(id);
    }
    if (id == 4001) {
        if (window.showhidden)
            Tb->check(4001);
        else
            Tb->uncheck(4001);
    }
}

void Tools::releaseaction() {
    if (Tb && Tn >= 0) Tb->release(idm_actions[Tn]);
}

void Tools::pressaction() {
    if (Tb && Tn >= 0) Tb->press(idm_actions[Tn]);
}
