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
import { join } from 'node:path';

import { Vector3 } from 'three';
import { BVHLoader } from 'three/examples/jsm/loaders/BVHLoader.js';

import {
  checkEveryComposition, composeFile, corePositions, expectedFrames,
} from './compositions.mjs';

// Figure units. The file keeps 3 significant digits per angle, so small
// errors are expected; more than this means the file shows another pose.
const TOLERANCE = 1.0;
const VALUES_PER_FRAME_LINE = 63;  // root position + 20 joints x (z, x, y)

// The frame lines as written, split into values: for the file's own shape
// (the loader ignores extra values and lines) and for reporting angles.
function frameLines(text) {
  const lines = text.split('\n');
  const at = lines.findIndex((l) => l.startsWith('Frame Time:'));
  if (at < 0) throw new Error('no "Frame Time:" line');
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
  const { data, framesWritten } = composeFile(composeExe, actions, join(dir, 'composition.bvh'));
  const text = data.toString('utf8');
  const core = corePositions(coreExe, actions);
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

process.exitCode = await checkEveryComposition('check_bvh_reader.mjs', checkComposition);
