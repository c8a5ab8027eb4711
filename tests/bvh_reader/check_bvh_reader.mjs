// The file and the picture agree: BVH files written by kinemora-compose are
// loaded with three.js's BVHLoader, an independent reader, and every joint of
// every frame, placed by forward kinematics from the LOADED offsets and
// rotations, must land within TOLERANCE of where the core's `rotations` track
// puts it (as printed by core-positions, which composes the same way).
//
// three.js composes the channels "Zrotation Xrotation Yrotation" in file
// order as q = qZ * qX * qY, i.e. R = Rz * Rx * Ry, the convention the writer
// targets.
//
// Usage: node check_bvh_reader.mjs KINEMORA_COMPOSE CORE_POSITIONS
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { Vector3 } from 'three';
import { BVHLoader } from 'three/examples/jsm/loaders/BVHLoader.js';

// Figure units. The file keeps 3 significant digits per angle, so small
// errors are expected; more than this means the file shows another pose.
const TOLERANCE = 1.0;
const VALUES_PER_FRAME_LINE = 63;  // root position + 20 joints x (z, x, y)

const COMPOSITIONS = [
  ['rhumba alone', 'rhumba'],
  ['clap alone', 'clap'],
  ['bend alone', 'bend'],
  ['seizure alone', 'seizure'],
  ['punchR alone', 'punchR'],
  ['punchL alone', 'punchL'],
  ['cheer alone', 'cheer'],
  ['mixed with repeats', 'rhumba rhumba clap punchR punchL punchR cheer bend'],
  ['every motion, noise on', 'noise rhumba clap bend seizure punchR punchL cheer'],
  ['noise switched on and off', 'clap noise clap bend noise bend punchL punchL'],
  ['clear in between', 'rhumba clap clear clap bend'],
  ['clear between punches', 'punchR clear punchL cheer punchR'],
  ['seizure with noise', 'noise seizure seizure clap seizure'],
  ['cleared to nothing', 'rhumba clear'],
  ['empty composition', ''],
].map(([name, actions]) => ({ name, actions: actions ? actions.split(' ') : [] }));

// The timeline's maximum after the presses, straight from the button rules:
// a block of n frames adds n - 1 (motions 97, punches 13, transitions 13); a
// motion repeating the last one, or a punch after a punch, has no transition;
// "clear" empties the timeline but not the memory of the last motion.
function expectedFrames(actions) {
  const isPunch = (a) => a === 'punchR' || a === 'punchL';
  let maximum = 0;
  let last = null;
  for (const action of actions) {
    if (action === 'noise') continue;
    if (action === 'clear') {
      maximum = 0;
      continue;
    }
    const repeats = action === last || (isPunch(action) && isPunch(last));
    if (!repeats) maximum += 12;
    maximum += isPunch(action) ? 12 : 96;
    last = action;
  }
  return maximum;
}

function run(exe, args) {
  const r = spawnSync(exe, args, { encoding: 'utf8', maxBuffer: 1 << 28 });
  if (r.error) throw new Error(`cannot run ${exe}: ${r.error.message}`);
  if (r.status !== 0) {
    throw new Error(`${exe} ${args.join(' ')} exited with ${r.status}: ${r.stderr.trim()}`);
  }
  return r;
}

function composeFile(composeExe, actions, dir) {
  const path = join(dir, 'composition.bvh');
  const { stderr } = run(composeExe, ['-o', path, ...actions]);
  const m = /^frames written: (\d+)$/m.exec(stderr);
  if (!m) throw new Error(`no "frames written: N" in kinemora-compose's stderr:\n${stderr}`);
  return { text: readFileSync(path, 'utf8'), framesWritten: Number(m[1]) };
}

// The frame lines as written, split into values: for the file's own shape
// (the loader ignores extra values and lines) and for reporting angles.
function frameLines(text) {
  const lines = text.split('\n');
  const at = lines.findIndex((l) => l.startsWith('Frame time:'));
  if (at < 0) throw new Error('no "Frame time:" line');
  return lines.slice(at + 1).filter((l) => l.trim() !== '').map((l) => l.trim().split(/\s+/));
}

// Loads with three.js, failing on anything the loader only logs.
function load(text, { animate = true } = {}) {
  const complaints = [];
  const saved = { error: console.error, warn: console.warn };
  console.error = console.warn = (...a) => complaints.push(a.join(' '));
  try {
    const loader = new BVHLoader();
    loader.animateBonePositions = loader.animateBoneRotations = animate;
    return loader.parse(text);
  } finally {
    Object.assign(console, saved);
    if (complaints.length) throw new Error(`BVHLoader complained: ${complaints.join('; ')}`);
  }
}

function loadedJoints(loaded) {
  const joints = loaded.skeleton.bones.filter((b) => b.name !== 'ENDSITE');
  return joints.map((bone) => {
    const track = (kind) => loaded.clip.tracks.find((t) => t.name === `${bone.name}.${kind}`);
    return { bone, position: track('position'), quaternion: track('quaternion') };
  });
}

function loadedFrameCount(joints) {
  const counts = new Set(joints.flatMap((j) => [j.position.times.length, j.quaternion.times.length]));
  if (counts.size !== 1) throw new Error(`tracks disagree on the frame count: ${[...counts]}`);
  return [...counts][0];
}

// Poses the loaded bones at a frame and reads their world positions.
function loadedPositions(joints, frame) {
  for (const { bone, position, quaternion } of joints) {
    bone.position.fromArray(position.values, frame * 3);
    bone.quaternion.fromArray(quaternion.values, frame * 4);
  }
  joints[0].bone.updateMatrixWorld(true);
  return joints.map(({ bone }) => new Vector3().setFromMatrixPosition(bone.matrixWorld));
}

function worstDistance(joints, core, frames) {
  let worst = { distance: 0, frame: -1, joint: -1 };
  for (let frame = 0; frame < frames; frame++) {
    const loaded = loadedPositions(joints, frame);
    const expected = core.positions[frame];
    loaded.forEach((p, j) => {
      const d = p.distanceTo(new Vector3().fromArray(expected, j * 3));
      if (d > worst.distance) worst = { distance: d, frame, joint: j, name: core.joints[j], loaded: p };
    });
  }
  return worst;
}

// Which joint, which frame, and the file's angles along its chain.
function describeMismatch(worst, joints, core, lines) {
  const fmt = (v) => v.map((x) => x.toFixed(3)).join(', ');
  const chain = [];
  for (let b = joints[worst.joint].bone; b && b.isBone; b = b.parent) chain.unshift(b.name);
  const angles = chain.map((name) => {
    const k = core.joints.indexOf(name);
    const [z, x, y] = lines[worst.frame].slice(3 + 3 * k, 6 + 3 * k);
    return `    ${name}: Zrotation ${z} Xrotation ${x} Yrotation ${y}`;
  });
  return [
    `  joint ${worst.name} at frame ${worst.frame}: ${worst.distance.toFixed(4)} units apart`,
    `  core (view) position: ${fmt(core.positions[worst.frame].slice(worst.joint * 3, worst.joint * 3 + 3))}`,
    `  loaded position:      ${fmt(worst.loaded.toArray())}`,
    '  file angles along the chain (degrees):',
    ...angles,
  ].join('\n');
}

function checkEmpty(text) {
  // three.js cannot build an animation clip without keyframes; that it gets
  // as far as the tracks means the hierarchy and the frame header were read.
  try {
    load(text);
    throw new Error('the loader built an animation from a file that should hold no frames');
  } catch (e) {
    if (!/no keyframes/.test(e.message)) throw e;
  }
  return load(text, { animate: false });
}

function checkComposition(composition, composeExe, coreExe, dir) {
  const { actions } = composition;
  const { text, framesWritten } = composeFile(composeExe, actions, dir);
  const core = JSON.parse(run(coreExe, actions).stdout);
  const expected = expectedFrames(actions);
  const lines = frameLines(text);
  const problems = [];
  const counts = `expected ${expected}, "frames written" ${framesWritten}, ` +
    `core ${core.framesToSave}, frame lines ${lines.length}`;
  if (new Set([expected, framesWritten, core.framesToSave, lines.length]).size !== 1) {
    problems.push(`frame counts differ: ${counts}`);
  }
  const short = lines.findIndex((l) => l.length !== VALUES_PER_FRAME_LINE);
  if (short >= 0) problems.push(`frame line ${short} holds ${lines[short].length} values`);

  if (expected === 0) {
    const names = checkEmpty(text).skeleton.bones.map((b) => b.name).filter((n) => n !== 'ENDSITE');
    if (names.join() !== core.joints.join()) problems.push(`joints loaded: ${names}`);
    return { frames: 0, worst: null, problems };
  }

  const joints = loadedJoints(load(text));
  const names = joints.map((j) => j.bone.name);
  if (names.join() !== core.joints.join()) {
    return { frames: NaN, worst: null, problems: [...problems, `joints loaded: ${names}`] };
  }
  const frames = loadedFrameCount(joints);
  if (frames !== expected) problems.push(`the loader read ${frames} frames; ${counts}`);
  const worst = worstDistance(joints, core, Math.min(frames, core.framesToSave));
  if (worst.distance > TOLERANCE) problems.push(describeMismatch(worst, joints, core, lines));
  return { frames, worst, problems };
}

function main() {
  const [composeExe, coreExe] = process.argv.slice(2);
  if (!composeExe || !coreExe) {
    console.error('usage: node check_bvh_reader.mjs KINEMORA_COMPOSE CORE_POSITIONS');
    return 2;
  }
  const dir = mkdtempSync(join(tmpdir(), 'kinemora-bvh-reader-'));
  let failed = 0;
  try {
    for (const composition of COMPOSITIONS) {
      let result;
      try {
        result = checkComposition(composition, composeExe, coreExe, dir);
      } catch (e) {
        result = { frames: NaN, worst: null, problems: [e.message] };
      }
      const { worst } = result;
      const error = !worst ? 'no frames to compare'
        : worst.joint < 0 ? 'max error 0'
        : `max error ${worst.distance.toFixed(4)} (${worst.name}, frame ${worst.frame})`;
      const verdict = result.problems.length ? 'FAIL' : 'ok';
      console.log(`${verdict.padEnd(4)} ${composition.name.padEnd(28)} frames ${String(result.frames).padStart(4)}  ${error}` +
        `  [${composition.actions.join(' ')}]`);
      for (const p of result.problems) console.log(p.replace(/^/gm, '     '));
      if (result.problems.length) failed++;
    }
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
  console.log(`compositions: ${COMPOSITIONS.length - failed} passed, ${failed} failed`);
  return failed ? 1 : 0;
}

process.exitCode = main();
