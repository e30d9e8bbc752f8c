"""The handicap-section lines of the joseki database (ids 1000-1999, codes starting with '0').

Joseki moves and markers: SGF points as printed with the black 4-4 stone in the upper-right
corner (pd); author.py turns them into the upper-left corner with White's approach on the top
side. Records: SGF points of the real board. See author.py for the whole notation.

Codes: 0 + letter of the approach (A small knight, B one-space high, C two-space high,
D 3-3 invasion, E double approach, H more handicap stones as preset stones) + two digits for
Black's answer + two digits for the variation.
"""

from author import Entry, Record

CAPTION = "参考図（本集のための作成例・互先）"
NINE = "ul tt top tt left tt ur tt ll tt lr tt center tt right tt bottom"
FOUR = "ul tt ur tt ll tt lr"

ENTRIES = [
    # --- Small knight's approach: Black's answers at a glance -------------------------------
    Entry(1000, "0A0000", "小ゲイマガカリ（黒の応手）", "基本図",
          "白1の小ゲイマガカリには、Aのケイマ、Bの一間トビで隅を守るほか、Cのコスミツケ、"
          "Dのツケで白を固めさせて厚みを築く手、Eのハサミで攻める手がある。置碁では積極的なハサミが有力。",
          "qf", marks="nc:a nd:b qe:c pf:d qh:e"),
    Entry(1001, "0A1000", "小ゲイマガカリ・一間バサミ", "ハサミの基本図",
          "黒2の一間バサミは置碁で最もよく打たれる。Aの一間高バサミ、Bの二間バサミ、"
          "Cの二間高バサミ、D・Eの三間バサミも同じ考え方で打てる。白は三々入りか一間トビで応じる。",
          "qf qh", marks="ph:a qi:b pi:c qj:d pj:e"),

    # --- Pincers and the 3-3 invasion -------------------------------------------------------
    Entry(1010, "0A1010", "一間バサミ・三々入り", "置碁の基本定石",
          "白は三々から左辺に生き、黒は白1の一子を封鎖して上辺を厚く固める。"
          "ハサミの黒石がよく働き、黒に不満のない分かれ。白1が動き出しても黒は厚みで攻められる。",
          "qf qh qc qd pc od rd re rc qe nc pf",
          record=Record(CAPTION, "pd dp dd", after="jp")),
    Entry(1011, "0A1110", "一間高バサミ・三々入り", "置碁の基本定石",
          "一間高バサミにも三々入りの手順は同じ。白は隅で生き、黒は外側を封鎖する。"
          "高いハサミは上辺の厚みと中央への働きが勝り、黒の構えは一間バサミよりも中央寄りになる。",
          "qf ph qc qd pc od rd re rc qe nc pf"),
    Entry(1012, "0A1210", "二間バサミ・三々入り", "置碁の基本定石",
          "二間バサミでも白の三々入りに黒は上辺側から押さえ、白1を封じる。"
          "白は隅と左辺で生き、黒は上辺の模様を広げる。ハサミが遠い分、白1の動き出しには注意が要る。",
          "qf qi qc qd pc od rd re rc qe nc pf",
          record=Record(CAPTION, "pd pp dd", after="dj")),
    Entry(1013, "0A1310", "二間高バサミ・三々入り", "置碁の基本定石",
          "二間高バサミに対しても白は三々に入るのが普通。黒は同じ要領で白1を封鎖し、"
          "上辺から中央にかけての厚みを得る。白は隅の実利、黒は厚みという分かれ。",
          "qf pi qc qd pc od rd re rc qe nc pf"),
    Entry(1020, "0A1020", "一間バサミ・白一間トビ", "ハサミへの応手",
          "白3と中央へトビ出し、黒4と左辺に一間トビして隅を固める。白はまだ根拠がなく、"
          "黒はハサミの石と協力して白を攻めながら上辺や中央に地を作れる。",
          "qf qh of nd",
          record=Record(CAPTION, "pd dp dd", after="pp")),
    Entry(1021, "0A1320", "二間高バサミ・白一間トビ", "ハサミへの応手",
          "二間高バサミにも白は一間トビで中央へ出る。黒は左辺に一間トビして隅を確保し、"
          "白の二子を上下から狙う。白は次に隅へのスベリなどで根拠を求めることになる。",
          "qf pi of nd"),

    # --- One-space jump answer ---------------------------------------------------------------
    Entry(1030, "0A2010", "一間トビ・スベリ・二間ビラキ", "基本定石",
          "白はスベリと二間ビラキで上辺に根拠を持ち、黒は三々を押さえて隅の地と左辺を得る。"
          "互いに無理のない基本形で、黒は次に左辺へのヒラキや上辺への打ち込みをうかがう。",
          "qf nd rd qc qi",
          record=Record(CAPTION, "pd dp pp qf dd", after="dj")),
    Entry(1031, "0A2011", "一間トビ・スベリ・二間ビラキ・黒ヒラキ", "基本定石",
          "白の二間ビラキに続いて黒が左辺に大きくヒラいた形。黒は隅から左辺に広い模様を持ち、"
          "白は上辺に安定した一団を得る。置碁の黒として分かりやすく手厚い構え。",
          "qf nd rd qc qi jc"),
    Entry(1032, "0A2020", "一間トビ・スベリ・高いヒラキ", "基本定石",
          "スベリの後、白は二間ビラキの代わりに高く構えて中央への発展を重く見る。"
          "上辺の根拠はやや薄くなるので、黒は後で白の下へのスベリや打ち込みをねらえる。",
          "qf nd rd qc ph"),
    Entry(1033, "0A2030", "一間トビ・スベリに黒ハサミ", "ハサミからの攻め",
          "白のスベリに黒がハサむと、白は三々で隅に生きる。黒は白の一子を切り離して抜き、"
          "上辺に厚い壁を築く。白は隅の実利と先手を得たが、黒の外勢は置碁で大きな力になる。",
          "qf nd rd qh qc qe re pf pg qg rf og tt ph",
          record=Record(CAPTION, "pd dp dd", tenuki="pq")),
    Entry(1034, "0A2040", "一間トビ・スベリ・黒手抜き・三々入り", "手抜きの代償",
          "スベリの後に黒が手を抜くと、白は三々に入って隅の地を奪う。黒の一間トビは外側に残るが、"
          "隅を失った損は大きい。スベリには三々を押さえておくのが本手。",
          "qf nd rd tt qc"),
]
