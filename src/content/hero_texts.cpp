// The heroes' twelve lines each: the eight remarks spoken under the view and the four
// labels of the selection screen. Every line fits 46 Shift-JIS bytes, the width the speech
// line can centre.
#include "content/heroes.h"

#include "platform/language.h"

namespace {

// In slot order: 0 idle, 1 attacking, 2 attack without effect, 3 attacked, 4 spring,
// 5 last words, 6 type, 7 weapon, 8 armour, 9 name, 10 chest found, 11 hot floor.
const char* const kLines[4][12] = {
    // Nagel: a cheerful village lad who takes everything lightly.
    {
        "さーて、今日はどんなお宝に会えるかな？",
        "そーれっ、いっくよー！",
        "あれれ？　全然きいてないみたい…",
        "わわっ、ちょっと待って、痛いってば！",
        "ふぃ～、生き返るぅ～。",
        "ごめん…お宝、持って帰れなかったや…",
        "ﾀｲﾌﾟ：万能安定型",
        "使用武器：剣",
        "使用防具：皮鎧",
        "名前：ナジェル",
        "おっ、宝箱だ！　開けちゃおうっと！",
        "あちちちっ！　床が燃えてるよー！",
    },
    // Jad: a foul-mouthed drifter from the back streets.
    {
        "けっ、薄気味悪い所だぜ。さっさと稼ぐか。",
        "おらおらおらぁっ！",
        "ちっ、硬えな、こいつ！",
        "てめえ、なめてんじゃねえぞ！",
        "へっ、ちょうどいい水場じゃねえか。",
        "くそっ…こんな所で…くたばるかよ…",
        "ﾀｲﾌﾟ：移動速度重視型",
        "使用武器：短剣",
        "使用防具：忍者服",
        "名前：ジャド",
        "お宝の匂いがするぜ、へへっ。",
        "熱っちい！　何だこの床はよぉ！",
    },
    // Lucile: the only daughter of a fallen house, polite to monsters as well.
    {
        "足元に気をつけて、慎重に参りましょう。",
        "参ります。えいっ！",
        "まあ…わたくしの矢が通じませんわ。",
        "きゃっ！　どうか、お引き取りくださいませ！",
        "ああ、澄んだお水…癒されますわ。",
        "申し訳…ございません…お父様…",
        "ﾀｲﾌﾟ：経験値重視型",
        "使用武器：弓",
        "使用防具：ドレス",
        "名前：リュシル",
        "宝箱ですわ。そっと開けてみましょう。",
        "熱い、熱いですわ！　早く離れませんと！",
    },
    // Oldof: the last knight of the old guard, a man of few words.
    {
        "……進むぞ。",
        "斬る。",
        "……効かんか。",
        "邪魔だ。",
        "……悪くない。",
        "……ここまで、か。",
        "ﾀｲﾌﾟ：戦闘力重視型",
        "使用武器：大剣",
        "使用防具：鎧",
        "名前：オルドフ",
        "宝箱か。",
        "……熱いな。",
    },
};


// The same lines in English, slot for slot. Each hero keeps a voice of his or her own: Nagel
// chirpy, Jad rough, Lucile formal, Oldof terse.
const char* const kLinesEnglish[4][12] = {
    {
        "Right! What treasure will I find today?",
        "Here goes! Hyaaah!",
        "Huh? It's not working at all...",
        "Whoa, wait! Ow, that hurts!",
        "Phew, I feel alive again!",
        "Sorry... couldn't bring the treasure home...",
        "Type: All-rounder",
        "Weapon: Sword",
        "Armor: Leather",
        "Name: Nagel",
        "Ooh, a chest! Let's open it!",
        "Hot hot hot! The floor's on fire!",
    },
    {
        "Tch, creepy place. Grab the loot and go.",
        "Take that, and that, and THAT!",
        "Damn, this thing's tough!",
        "You lookin' for a beating?!",
        "Heh, handy little watering hole.",
        "Damn it... not here... not like this...",
        "Type: Speedster",
        "Weapon: Dagger",
        "Armor: Ninja Garb",
        "Name: Jad",
        "I smell treasure. Heh heh.",
        "Yeow! What's with this floor?!",
    },
    {
        "Let us proceed with care. Mind your step.",
        "Here I come. Hah!",
        "Oh my... my arrows have no effect.",
        "Eek! Kindly take your leave, please!",
        "Ah, such clear water... how soothing.",
        "Forgive me... Father...",
        "Type: Fast Learner",
        "Weapon: Bow",
        "Armor: Dress",
        "Name: Lucile",
        "A treasure chest. Let us open it gently.",
        "Hot! So hot! I must get away at once!",
    },
    {
        "...Onward.",
        "Fall.",
        "...No effect, eh.",
        "Out of my way.",
        "...Not bad.",
        "...So this is where it ends.",
        "Type: Powerhouse",
        "Weapon: Greatsword",
        "Armor: Iron Armor",
        "Name: Oldof",
        "A chest.",
        "...Hot.",
    },
};

}  // namespace

void InitHeroTexts() {
  for (int hero = 0; hero < 4; ++hero) {
    for (int slot = 0; slot < 12; ++slot) HeroTexts[hero * 12 + slot] = kLines[hero][slot];
  }
}

const char* EnglishHeroText(int hero, int slot) {
  if (hero < 0 || hero > 3 || slot < 0 || slot > 11) return "";
  return kLinesEnglish[hero][slot];
}
