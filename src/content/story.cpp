// The story that scrolls over the title picture and the closing story with the credits of
// the ending. Each line carries its place: x, the base line Y0 (the line is drawn at
// Y0 - TickCount, so it rises one pixel a tick) and the point size. Story lines are at most
// 46 Shift-JIS bytes, which fills the view's width at 10 points.
#include "content/story.h"

#include "platform/language.h"

// Title story: 15 pixels between lines, a wider gap between paragraphs. The walking figure
// beside each hero's heading is drawn by the title screen, three full-width spaces left of
// the name leave room for it.
const StoryLine kStoryLines[46] = {
    {30, 516, 20, "ﾐﾛｳﾞｧｰﾝ"},

    // Prologue: the lost kingdom and its treasure.
    {0, 566, 10, "その昔、この地には黄金の王国があったという。"},
    {0, 581, 10, "王国は一夜にして滅び、その財宝は九つの迷宮の"},
    {0, 596, 10, "奥深くへと消えた。人々はその国の名を取って、"},
    {0, 611, 10, "眠れる宝をミロヴァーンの秘宝と呼んだ。"},

    {0, 746, 10, "時は流れ、荒野に迷宮の入口が一つ、また一つと"},
    {0, 761, 10, "姿を現し始めた。噂を聞きつけた宝探したちは"},
    {0, 776, 10, "我先にと迷宮へ挑んだが、戻った者はわずかだ。"},
    {0, 791, 10, "迷宮の底には、宝を守る主が潜むという。"},
    {0, 806, 10, "そして今、四人の冒険者が旅立とうとしていた。"},

    // Hero 0.
    {0, 916, 10, "　　　ナジェル"},
    {0, 941, 10, "小さな村の陽気な若者。剣も鎧も人並みだが、"},
    {0, 956, 10, "何をやらせてもそつなくこなす器用さがある。"},
    {0, 971, 10, "村一番の楽天家で、どんな時も笑顔を絶やさない。"},
    {0, 986, 10, "「お宝を見つけて、村のみんなを驚かせるんだ！」"},
    {0, 1001, 10, "そう言って、彼は古びた剣を腰に下げ、"},
    {0, 1016, 10, "意気揚々と村を後にした。"},

    // Hero 1.
    {0, 1166, 10, "　　　ジャド"},
    {0, 1186, 10, "裏通りで育った、口の悪い流れ者。"},
    {0, 1211, 10, "身軽な忍び装束に短剣一本を携え、"},
    {0, 1226, 10, "風のように駆け抜ける足の速さが自慢だ。"},
    {0, 1241, 10, "金のためなら危ない橋も平気で渡るが、"},
    {0, 1256, 10, "受けた恩だけは決して忘れない男である。"},
    {0, 1271, 10, "「宝は全部いただくぜ。文句はねえよな？」"},

    // Hero 2.
    {0, 1416, 10, "　　　リュシル"},
    {0, 1431, 10, "没落した名家の一人娘。"},
    {0, 1446, 10, "家を再び興すため、ただ一人で旅に出た。"},
    {0, 1461, 10, "弓の腕はまだ頼りないが、物覚えが早く、"},
    {0, 1476, 10, "戦うたびに人一倍多くのことを学び取る。"},
    {0, 1491, 10, "着古したドレスの裾をそっとつまみ上げ、"},
    {0, 1506, 10, "彼女は静かに迷宮の闇を見つめる。"},
    {0, 1521, 10, "「お父様、お母様。どうか見守っていて"},
    {0, 1536, 10, "　くださいませ。わたくし、必ず戻ります。」"},
    {0, 1551, 10, "その瞳には、か弱い見た目に似合わぬ"},
    {0, 1566, 10, "強い決意が宿っていた。"},

    // Hero 3.
    {0, 1716, 10, "　　　オルドフ"},
    {0, 1731, 10, "かつて王に仕えた騎士団の、ただ一人の生き残り。"},
    {0, 1746, 10, "重い鉄の鎧をまとい、大剣を軽々と振るう。"},
    {0, 1761, 10, "足は遅いが、その一撃は岩をも砕く。"},
    {0, 1776, 10, "口数は少なく、笑った顔を見た者はいない。"},

    {0, 1861, 10, "彼が迷宮を目指す訳を知る者はいない。"},
    {0, 1876, 10, "ただ一度だけ、酒場でこう呟いたという。"},
    {0, 1891, 10, "「……守れなかったものが、"},
    {0, 1906, 10, "　あの底で眠っている。」"},
    {0, 1921, 10, "九つの迷宮の最奥で、何が彼らを待つのか。"},
    {0, 1936, 10, "それは、まだ誰も知らない。"},
};

// Ending: 30 pixels between lines. The thank-you line stands alone between the closing
// story and the credits, a hundred pixels from each.
const StoryLine kEndingLines[21] = {
    {30, 316, 20, "ﾐﾛｳﾞｧｰﾝ"},

    {10, 366, 10, "九つ目の迷宮の奥で、最後の主が倒れた。"},
    {10, 396, 10, "崩れ落ちる玉座の陰から、まばゆい光が"},
    {10, 426, 10, "あふれ出す。それは、滅びた王国が遺した"},
    {10, 456, 10, "最後の宝だった。"},
    {10, 486, 10, "長い旅の果てに、冒険者はついに"},
    {10, 516, 10, "ミロヴァーンの秘宝を手にしたのだ。"},

    {10, 716, 10, "地上へ戻ると、荒野には朝日が昇っていた。"},
    {10, 746, 10, "迷宮の奥から響いていた魔物たちの声も、"},
    {10, 776, 10, "今はもう聞こえない。"},
    {10, 806, 10, "眠り続けた王国の物語は、こうして"},
    {10, 836, 10, "ひとつの終わりを迎えた。"},

    {10, 1036, 10, "けれど、冒険者の旅はまだ終わらない。"},
    {10, 1066, 10, "宝の眠る場所は、きっとまだどこかにある。"},

    {10, 1166, 10, "最後まで遊んでくれて、ありがとうございました。"},

    {10, 1266, 10, "企画・プログラム　ミロヴァーン開発チーム"},
    {10, 1296, 10, "グラフィック　　　ミロヴァーン開発チーム"},
    {10, 1326, 10, "音楽・効果音　　　ミロヴァーン開発チーム"},
    {10, 1356, 10, "迷宮設計・文章　　ミロヴァーン開発チーム"},

    {10, 1516, 10, "ミロヴァーンの冒険は、これからも続く。"},
    {10, 1546, 10, "　　　　　　　　～　完　～"},
};

// English wraps at spaces into the same lines, each within the view's 312 pixels at its
// size; the second line of a quotation stands in by the width of its opening mark. A heading starts 40 pixels in, where the three full-width spaces of the Japanese
// leave the walking figure its room.
const StoryLine kStoryLinesEnglish[46] = {
    {60, 516, 20, "Mirovaan"},

    {0, 566, 10, "Long ago, a golden kingdom stood in this land."},
    {0, 581, 10, "It fell in a single night, and its riches sank"},
    {0, 596, 10, "into the depths of nine labyrinths. Men named"},
    {0, 611, 10, "the sleeping hoard the Treasure of Mirovaan."},

    {0, 746, 10, "Years passed. One by one, the mouths of the"},
    {0, 761, 10, "labyrinths opened in the wilds. Hunters came"},
    {0, 776, 10, "running at the rumors, but few ever returned."},
    {0, 791, 10, "At the bottom, they say, a master guards it all."},
    {0, 806, 10, "And now four adventurers are setting out."},

    {40, 916, 10, "Nagel"},
    {0, 941, 10, "A cheerful lad from a little village. His sword"},
    {0, 956, 10, "and armor are nothing special, but he is deft"},
    {0, 971, 10, "at all he tries, and no one has seen him frown."},
    {0, 986, 10, "\"I'll find treasure and amaze the whole village!\""},
    {0, 1001, 10, "With that, he hung an old sword at his hip"},
    {0, 1016, 10, "and left home in the highest of spirits."},

    {40, 1166, 10, "Jad"},
    {0, 1186, 10, "A foul-mouthed drifter raised in the back alleys."},
    {0, 1211, 10, "In light ninja garb, with a single dagger,"},
    {0, 1226, 10, "he prides himself on running like the wind."},
    {0, 1241, 10, "He will risk his neck for gold, yet he never"},
    {0, 1256, 10, "forgets a kindness done to him."},
    {0, 1271, 10, "\"I'm takin' all the treasure. Any objections?\""},

    {40, 1416, 10, "Lucile"},
    {0, 1431, 10, "The only daughter of a fallen noble house."},
    {0, 1446, 10, "She set out alone to restore her family's name."},
    {0, 1461, 10, "Her archery is still unsteady, but she is quick"},
    {0, 1476, 10, "to learn and takes more from every fight."},
    {0, 1491, 10, "Gently lifting the hem of her worn dress,"},
    {0, 1506, 10, "she gazes quietly into the labyrinth's dark."},
    {0, 1521, 10, "\"Father, Mother, please watch over me."},
    {5, 1536, 10, "I promise you, I shall come home.\""},
    {0, 1551, 10, "In her eyes burned a resolve far stronger"},
    {0, 1566, 10, "than her delicate looks would suggest."},

    {40, 1716, 10, "Oldof"},
    {0, 1731, 10, "Last of the knights who once served the king."},
    {0, 1746, 10, "Clad in heavy iron, he swings a great sword"},
    {0, 1761, 10, "with ease. Slow of foot, his blows split rock."},
    {0, 1776, 10, "A man of few words; none have seen him smile."},

    {0, 1861, 10, "No one knows why he seeks the labyrinths."},
    {0, 1876, 10, "Only once, in a tavern, was he heard to say:"},
    {0, 1891, 10, "\"...What I could not protect"},
    {5, 1906, 10, "sleeps down there.\""},
    {0, 1921, 10, "What awaits them deep in the nine labyrinths?"},
    {0, 1936, 10, "No one knows. Not yet."},
};

const StoryLine kEndingLinesEnglish[21] = {
    {60, 316, 20, "Mirovaan"},

    {10, 366, 10, "In the ninth labyrinth, the last master fell."},
    {10, 396, 10, "From behind the crumbling throne poured a"},
    {10, 426, 10, "dazzling light: the last treasure that the"},
    {10, 456, 10, "fallen kingdom had left behind."},
    {10, 486, 10, "At the end of a long journey, the adventurer"},
    {10, 516, 10, "held the Treasure of Mirovaan at last."},

    {10, 716, 10, "Back above ground, the sun rose on the wilds."},
    {10, 746, 10, "The cries of monsters that rang from the deep"},
    {10, 776, 10, "could be heard no more."},
    {10, 806, 10, "And so the tale of the sleeping kingdom"},
    {10, 836, 10, "came to its close."},

    {10, 1036, 10, "Yet the adventurer's journey is not over."},
    {10, 1066, 10, "Somewhere, more treasure surely lies waiting."},

    {10, 1166, 10, "Thank you so much for playing to the very end!"},

    {10, 1266, 10, "Design & Programming: the Mirovaan team"},
    {10, 1296, 10, "Graphics: the Mirovaan team"},
    {10, 1326, 10, "Music & Sound: the Mirovaan team"},
    {10, 1356, 10, "Dungeons & Story: the Mirovaan team"},

    {10, 1516, 10, "The adventures of Mirovaan go on."},
    {120, 1546, 10, "~ The End ~"},
};

const StoryLine* StoryLines() {
  return CurrentLanguage() == Language::kEnglish ? kStoryLinesEnglish : kStoryLines;
}

const StoryLine* EndingLines() {
  return CurrentLanguage() == Language::kEnglish ? kEndingLinesEnglish : kEndingLines;
}
