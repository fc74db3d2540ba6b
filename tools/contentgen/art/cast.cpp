// The cast: the hero sheet with its chests, the faces of the status bar, the monster sheets
// of the eight dungeons, the shadow doubles of the last one and the nine bosses.
#include "art/figures.h"
#include "art/sheets.h"

namespace art {

namespace {

// A monster sheet row: the creature in 4 facings x 3 poses.
void PutRow(Sheet& s, int row, const Creature& c) {
  for (int f = 0; f < 4; ++f)
    for (int p = 0; p < 3; ++p) s.Put(row * 12 + f * 3 + p, DrawCreature(c, f, p, s.cw));
}

Creature Beast(Body b, int main, int second, int third = Bone, double size = 1.0) {
  Creature c;
  c.body = b, c.main = main, c.second = second, c.third = third, c.size = size;
  return c;
}

Creature Person(const Human& h) {
  Creature c;
  c.body = Body::Human;
  c.human = h;
  return c;
}

// The forest: rats, fire beetles, wild boars.
std::vector<Creature> ForestKinds() {
  Creature rat = Beast(Body::Quad, HairBrown, Tan, Bone, 0.72);
  rat.eye = C(Red, 3);
  Creature beetle = Beast(Body::Insect, Red, Orange, Bone, 0.9);
  beetle.eye = C(Yellow, 4);
  Creature boar = Beast(Body::Quad, Wood, Tan, Bone, 0.95);
  boar.tusks = true, boar.spikes = true, boar.eye = kInk;
  return {rat, beetle, boar};
}

// The caves: bats, fire toads, cave bears.
std::vector<Creature> CaveKinds() {
  Creature bat = Beast(Body::Bat, Violet, Purple, Bone, 0.95);
  bat.eye = C(Yellow, 4);
  Creature toad = Beast(Body::Blob, Orange, Yellow, Bone, 0.85);
  toad.eye = kInk, toad.spikes = true, toad.third = Red;
  Creature bear = Beast(Body::Quad, DkGrey, Grey, Bone, 1.0);
  bear.eye = C(Red, 3);
  return {bat, toad, bear};
}

// The prison: guards, jailers, runaway skeletons.
std::vector<Creature> PrisonKinds() {
  Human guard;
  guard.helmet = true, guard.top = Red, guard.bottom = DkGrey, guard.boots = Brown;
  guard.accent = Red, guard.weapon = Weapon::Spear, guard.metal = Steel;
  Human jailer;
  jailer.build = 2, jailer.hood = true, jailer.top = Brown, jailer.bottom = Wood;
  jailer.boots = HairBlack, jailer.weapon = Weapon::Axe, jailer.eye = C(Red, 3);
  jailer.skin = SkinDark, jailer.accent = Brown;
  Human bones;
  bones.skeleton = true, bones.eye = C(Red, 4);
  return {Person(guard), Person(jailer), Person(bones)};
}

// The mine: moles, rock blobs, crystal spiders.
std::vector<Creature> MineKinds() {
  Creature mole = Beast(Body::Quad, HairBlack, Pink, Bone, 0.8);
  mole.eye = kInk, mole.tail = false;
  Creature rock = Beast(Body::Blob, Rock, Grey, Cyan, 0.95);
  rock.spikes = true, rock.eye = C(Orange, 4);
  Creature spider = Beast(Body::Spider, Cyan, Ice, Bone, 0.85);
  spider.eye = C(Red, 4);
  return {mole, rock, spider};
}

// The swamp: newts, swamp lizards, lizard men.
std::vector<Creature> SwampKinds() {
  Creature newt = Beast(Body::Serpent, Lime, Yellow, Bone, 0.8);
  newt.eye = kInk;
  Creature lizard = Beast(Body::Quad, Olive, Sand, Bone, 0.9);
  lizard.spikes = true, lizard.eye = C(Yellow, 4);
  Human man;
  man.skin = DkGreen, man.top = Brown, man.bottom = DkGreen, man.boots = DkGreen;
  man.hair = DkGreen, man.snout = true, man.tail = true, man.weapon = Weapon::Spear;
  man.accent = Brown, man.eye = C(Yellow, 4);
  return {newt, lizard, Person(man)};
}

// The desert: wisps, sand ghosts, djinn.
std::vector<Creature> DesertKinds() {
  Creature wisp = Beast(Body::Ghost, Yellow, Orange, Bone, 0.75);
  wisp.spikes = true, wisp.eye = C(Red, 4);
  Creature ghost = Beast(Body::Ghost, Sand, Tan, Bone, 0.95);
  ghost.eye = C(Cyan, 4), ghost.wings = true;
  Creature djinn = Beast(Body::Ghost, Blue, Cyan, Gold, 0.9);
  djinn.horn = true, djinn.wings = true, djinn.eye = C(Yellow, 4);
  return {wisp, ghost, djinn};
}

// The beast-men: wolf men, boar men, tiger men.
std::vector<Creature> BeastMenKinds() {
  Human wolf;
  wolf.skin = Grey, wolf.hair = DkGrey, wolf.top = Brown, wolf.bottom = Wood;
  wolf.boots = DkGrey, wolf.snout = true, wolf.ears = true, wolf.tail = true;
  wolf.weapon = Weapon::Claws, wolf.eye = C(Yellow, 4), wolf.accent = Brown;
  Human boar;
  boar.build = 2, boar.skin = Olive, boar.hair = Brown, boar.top = Wood;
  boar.bottom = Brown, boar.boots = HairBlack, boar.snout = true, boar.ears = true;
  boar.weapon = Weapon::Axe, boar.metal = Grey, boar.eye = C(Red, 3), boar.accent = Wood;
  Human tiger;
  tiger.skin = Orange, tiger.hair = Orange, tiger.top = Orange, tiger.stripes = true;
  tiger.bottom = HairBlack, tiger.boots = HairBlack, tiger.snout = true, tiger.ears = true;
  tiger.tail = true, tiger.weapon = Weapon::Spear, tiger.eye = C(Lime, 4), tiger.accent = Crimson;
  return {Person(wolf), Person(boar), Person(tiger)};
}

// The machines: walkers, tanks, golden spheres.
std::vector<Creature> MachineKinds() {
  Human walker;
  walker.robot = true, walker.metal = Steel, walker.top = Steel, walker.bottom = DkGrey;
  walker.boots = DkGrey, walker.accent = Red, walker.eye = C(Red, 4), walker.skin = Steel;
  Creature tank = Beast(Body::Tank, Olive, Yellow, Bone, 1.0);
  tank.eye = C(Red, 4);
  Creature orb = Beast(Body::Orb, Gold, Yellow, Bone, 0.95);
  orb.eye = C(Cyan, 4);
  return {Person(walker), tank, orb};
}

// The three kinds of each dungeon, in sprite-row order; the machines serve the last ones.
std::vector<Creature> Kinds(int dungeon) {
  static std::vector<Creature> (*const kByDungeon[])() = {ForestKinds, CaveKinds, PrisonKinds, MineKinds,
                                                           SwampKinds, DesertKinds, BeastMenKinds};
  if (dungeon >= 0 && dungeon < static_cast<int>(std::size(kByDungeon))) return kByDungeon[dungeon]();
  return MachineKinds();
}

Creature BossOf(int dungeon) {
  switch (dungeon) {
    case 0: {  // the stag beetle of the forest
      Creature c = Beast(Body::Insect, DkGreen, Lime, Gold, 1.15);
      c.horn = true, c.eye = C(Red, 4);
      return c;
    }
    case 1: {  // the fire drake of the caves
      Creature c = Beast(Body::Quad, Red, Orange, Bone, 1.05);
      c.wings = true, c.horn = true, c.spikes = true, c.eye = C(Yellow, 4);
      return c;
    }
    case 2: {  // the warden
      Human h;
      h.build = 2, h.helmet = true, h.horns = true, h.top = Crimson, h.bottom = DkGrey;
      h.boots = HairBlack, h.metal = DkGrey, h.accent = Crimson, h.cape = true;
      h.weapon = Weapon::Axe, h.eye = C(Yellow, 4);
      return Person(h);
    }
    case 3: {  // the stone golem of the mine, a molten core in its chest
      Creature c = Beast(Body::Golem, Rock, Forest, Orange, 1.0);
      c.eye = C(Yellow, 4);
      return c;
    }
    case 4: {  // the lizard king
      Creature c = Beast(Body::Quad, DkGreen, Olive, Bone, 1.05);
      c.crown = true, c.spikes = true, c.eye = C(Yellow, 4);
      return c;
    }
    case 5: {  // the great djinn
      Creature c = Beast(Body::Ghost, Purple, Magenta, Gold, 1.0);
      c.horn = true, c.crown = true, c.wings = true, c.eye = C(Yellow, 4);
      return c;
    }
    case 6: {  // the beast king
      Human h;
      h.build = 2, h.skin = Gold, h.hair = Orange, h.mane = true, h.snout = true;
      h.top = Crimson, h.bottom = Brown, h.boots = HairBlack, h.accent = Crimson;
      h.cape = true, h.weapon = Weapon::Claws, h.eye = C(Red, 4), h.tail = true;
      return Person(h);
    }
    case 7: {  // the war machine
      Creature c = Beast(Body::Tank, Steel, Red, Bone, 1.05);
      c.eye = C(Red, 4);
      return c;
    }
    default: {  // the shadow lord
      Human h;
      h.build = 2, h.skin = Shade, h.hair = HairBlack, h.top = Violet, h.bottom = Shade;
      h.boots = Oil, h.helmet = true, h.horns = true, h.metal = Shade, h.accent = Violet;
      h.cape = true, h.weapon = Weapon::Staff, h.eye = C(Red, 4);
      return Person(h);
    }
  }
}

}  // namespace

Pic DrawChest(int look, int pose) {
  // wood and iron, iron and steel, red lacquer and gold, violet and gold
  const int body[4] = {Wood, DkGrey, Crimson, Violet};
  const int band[4] = {Gold, Steel, Gold, Gold};
  Pic pic(24, 24);
  Pen P{pic, 1.0};
  int b = body[look], m = band[look];
  P.R(3, 11, 18, 10, C(b, 2));
  P.R(3, 11, 18, 1, C(b, 3));
  P.R(3, 19, 18, 2, C(b, 1));
  P.B(12, 10, 9.2, 5.0, b, 1, 4);
  P.R(3, 10, 18, 1.5, C(b, 0));  // the lid's seam
  for (int x : {5, 17}) {
    P.R(x, 5.4, 2, 15.6, C(m, 2));
    P.R(x, 5.4, 1, 15.6, C(m, 3));
  }
  P.R(10, 9, 4, 5, C(m, 3));
  P.R(10, 13, 4, 1, C(m, 1));
  P.R(11.5, 11, 1, 2, kInk);
  if (look == 3) P.R(11, 6.5, 2, 2, C(Cyan, 4));
  pic.Outline();
  pic.FillHoles();
  GroundShadow(pic, 12, 21.8, 10, 1.4);
  pic.FillHoles(C(Shade, 0));
  if (pose > 0) {  // a glint wandering over the lid
    int x = pose == 1 ? 7 : 16, y = pose == 1 ? 8 : 7;
    pic.Set(x, y, kWhiteIx);
    pic.Set(x - 1, y, C(Yellow, 4)), pic.Set(x + 1, y, C(Yellow, 4));
    pic.Set(x, y - 1, C(Yellow, 4)), pic.Set(x, y + 1, C(Yellow, 4));
  }
  return pic;
}

Sheet MakeHeroSheet() {
  Sheet s("heroes", 12, 5, 24, 24);
  for (int h = 0; h < 4; ++h)
    for (int f = 0; f < 4; ++f)
      for (int p = 0; p < 3; ++p) s.Put(h * 12 + f * 3 + p, DrawHuman(HeroLook(h), f, p));
  for (int look = 0; look < 4; ++look)
    for (int p = 0; p < 3; ++p) s.Put(48 + look * 3 + p, DrawChest(look, p));
  return s;
}

Sheet MakeFaces() {
  Sheet s("faces", 4, 1, 34, 34);
  const int tint[4] = {DkGreen, Navy, Violet, DkGrey};
  for (int h = 0; h < 4; ++h) {
    Pic face(34, 34, C(tint[h], 0));
    for (int y = 0; y < 34; ++y)
      for (int x = 0; x < 34; ++x)
        if ((x + y) % 2 == 0 && y > 16) face.Set(x, y, C(tint[h], 1));
    Pic big = DrawHuman(HeroLook(h), 2, 0, 72);
    face.Paste(big.Crop(19, 1, 34, 34), 0, 0);
    face.Frame(0, 0, 34, 34, C(Gold, 1));
    face.Frame(1, 1, 32, 32, C(Gold, 3));
    s.Put(h, face);
  }
  return s;
}

Sheet MakeMonsterSheet(int dungeon) {
  Sheet s("c_r" + std::to_string(dungeon), 12, 3, 24, 24);
  auto kinds = Kinds(dungeon);
  for (int r = 0; r < 3; ++r) PutRow(s, r, kinds[r]);
  return s;
}

Sheet MakeShadowSheet(int hero) {
  Sheet s("c_r8" + std::to_string(hero), 12, 3, 24, 24);
  Creature c = Person(ShadowLook(hero));
  for (int r = 0; r < 3; ++r) PutRow(s, r, c);
  return s;
}

Sheet MakeBossSheet(int dungeon) {
  Sheet s("c_boss" + std::to_string(dungeon), 12, 1, 44, 44);
  PutRow(s, 0, BossOf(dungeon));
  return s;
}

}  // namespace art
