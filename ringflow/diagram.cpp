#include "ringflow/diagram.h"

namespace ringflow {

const std::string& DiagramSvg() {
  // Casing at the top, hub drum below, the shaft and the centre line at the
  // bottom; the channel between casing (y 110) and drum (y 320) holds three
  // annuli of equal height.
  static const std::string svg = R"SVG(<svg xmlns="http://www.w3.org/2000/svg" width="700" height="510" viewBox="0 0 700 510" font-family="Liberation Serif, Times New Roman, serif" font-size="15">
<rect width="700" height="510" fill="#fff"/>

<text x="350" y="22" text-anchor="middle" font-weight="bold" font-size="17">Axial Stations</text>
<g font-style="italic" text-anchor="middle">
  <text x="150" y="46">j = 1</text><text x="250" y="46">j = 2</text>
  <text x="370" y="46">j = 3</text><text x="490" y="46">j = 4</text>
</g>

<!-- casing -->
<rect x="60" y="88" width="590" height="22" fill="#d3d3d3" stroke="#000" stroke-width="1.5"/>
<text x="600" y="80" text-anchor="middle" font-size="14">Casing</text>

<!-- hub drum with its nose -->
<rect x="60" y="320" width="590" height="18" fill="#d3d3d3" stroke="#000" stroke-width="1.5"/>
<text x="606" y="358" text-anchor="middle" font-size="14">Hub drum</text>

<!-- drum-to-shaft attachments (discs) -->
<rect x="296" y="338" width="18" height="84" fill="#d3d3d3" stroke="#000" stroke-width="1.2"/>
<rect x="436" y="338" width="18" height="84" fill="#d3d3d3" stroke="#000" stroke-width="1.2"/>

<!-- shaft -->
<rect x="40" y="422" width="580" height="26" fill="#cfd6df" stroke="#000" stroke-width="1.5"/>
<text x="100" y="441" font-size="14">Shaft</text>
<path d="M630,404 A14,30 0 1 1 630,466" fill="none" stroke="#1f4fa8" stroke-width="1.6"/>
<polygon points="641,460 628,466 641,472" fill="#1f4fa8"/>
<text x="654" y="442" fill="#1f4fa8" font-size="22" font-style="italic">ω</text>

<!-- centre line -->
<line x1="20" y1="480" x2="680" y2="480" stroke="#000" stroke-width="1" stroke-dasharray="18,5,3,5"/>
<text x="24" y="500" font-size="14">Centre line</text>

<!-- blade rows -->
<g fill="#9fb3c8" stroke="#1c2b3a" stroke-width="1.4">
  <path d="M184,110 C176,170 176,260 184,320 L206,320 C214,260 214,170 206,110 Z"/>
  <path d="M292,110 C284,170 284,260 292,320 L320,320 C328,260 328,170 320,110 Z" fill="#e9b78f"/>
  <path d="M424,110 C416,170 416,260 424,320 L446,320 C454,260 454,170 446,110 Z"/>
</g>
<g font-weight="bold" text-anchor="middle" font-size="14">
  <text x="195" y="222">IGV</text>
  <text x="306" y="214">Rotor</text><text x="306" y="230">1</text>
  <text x="435" y="214">Stator</text><text x="435" y="230">1</text>
</g>

<!-- axial stations -->
<g stroke="#000" stroke-width="1.2" stroke-dasharray="7,5">
  <line x1="150" y1="54" x2="150" y2="346"/>
  <line x1="250" y1="54" x2="250" y2="346"/>
  <line x1="370" y1="54" x2="370" y2="346"/>
  <line x1="490" y1="54" x2="490" y2="346"/>
</g>

<!-- streamlines between the annuli -->
<g fill="none" stroke="#1f4fa8" stroke-width="1.4" stroke-dasharray="10,5">
  <path d="M60,250 C150,250 200,252 250,254 C320,257 390,256 490,253 L650,253"/>
  <path d="M60,180 C150,180 200,178 250,176 C320,173 390,175 490,178 L650,178"/>
</g>
<g font-style="italic" font-size="15">
  <text x="656" y="295">i = 1</text>
  <text x="656" y="222">i = 2</text>
  <text x="656" y="150">i = 3</text>
</g>
<text x="508" y="214" font-size="14" fill="#1f4fa8">Typical streamline</text>
<line x1="560" y1="200" x2="548" y2="182" stroke="#1f4fa8" stroke-width="1"/>
<polygon points="543,187 547,179 552,186" fill="#1f4fa8"/>

<!-- flow arriving from the left -->
<line x1="6" y1="215" x2="44" y2="215" stroke="#000" stroke-width="2.5"/>
<polygon points="44,208 58,215 44,222" fill="#000"/>
<text x="10" y="204" font-weight="bold">Flow</text>

<!-- example velocities -->
<line x1="250" y1="215" x2="276" y2="215" stroke="#b22" stroke-width="2"/>
<polygon points="276,209 288,215 276,221" fill="#b22"/>
<text x="214" y="206" fill="#b22" font-style="italic">Ca(2,2)</text>
<line x1="490" y1="290" x2="516" y2="290" stroke="#b22" stroke-width="2"/>
<polygon points="516,284 528,290 516,296" fill="#b22"/>
<text x="498" y="312" fill="#b22" font-style="italic">Ca(4,1)</text>

<!-- radii measured from the centre line -->
<g stroke="#000" stroke-width="1.2">
  <line x1="90" y1="480" x2="90" y2="122"/>
  <line x1="122" y1="480" x2="122" y2="332"/>
  <line x1="380" y1="480" x2="380" y2="266"/>
</g>
<polygon points="85,122 90,111 95,122" fill="#000"/>
<polygon points="117,332 122,321 127,332" fill="#000"/>
<polygon points="375,266 380,255 385,266" fill="#000"/>
<g font-style="italic" font-size="14">
  <text x="66" y="136">r</text><text x="72" y="140" font-size="10">tip</text>
  <text x="100" y="372">r</text><text x="106" y="376" font-size="10">hub</text>
  <text x="384" y="396">r(3,2)</text>
</g>
</svg>
)SVG";
  return svg;
}

}  // namespace ringflow
